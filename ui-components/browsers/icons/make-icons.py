#!/usr/bin/env python3
"""Writes the browsers' 16x16 RGBA icons with the standard library only: refresh, folder_new,
document_new, delete2, diskdrive, folder (open), folder_closed and document for the tree browser, and
document_preferences, document_delete and document_lock for the resource browser. Run it in this folder."""
import math
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[3] / "scripts"))
from rgba_png import png  # noqa: E402

CLEAR = (0, 0, 0, 0)
INK = (60, 60, 70, 255)
PAPER = (252, 252, 250, 255)
LINE = (150, 160, 175, 255)
FOLDER = (236, 190, 70, 255)
FOLDER_DARK = (190, 140, 30, 255)
FOLDER_LIGHT = (250, 220, 120, 255)
GREEN = (40, 150, 60, 255)
RED = (205, 40, 40, 255)
STAR = (250, 210, 20, 255)
METAL = (180, 185, 195, 255)
METAL_DARK = (110, 115, 125, 255)
LED = (60, 210, 80, 255)


def canvas():
    return [[CLEAR] * 16 for _ in range(16)]


def rect(pixels, left, top, right, bottom, fill, edge=None):
    """Fills the cells left..right x top..bottom, framed in `edge` when given."""
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            framed = edge and (x in (left, right) or y in (top, bottom))
            pixels[y][x] = edge if framed else fill


def closed_folder(pixels):
    rect(pixels, 1, 3, 6, 5, FOLDER_DARK)
    rect(pixels, 1, 4, 14, 13, FOLDER, FOLDER_DARK)


def open_folder(pixels):
    rect(pixels, 1, 3, 6, 5, FOLDER_DARK)
    rect(pixels, 1, 4, 13, 13, FOLDER_DARK, FOLDER_DARK)
    # The front flap, leaning forward.
    for y in range(7, 14):
        shift = (13 - y) // 2
        for x in range(2 + shift, 15 - (13 - y) // 3):
            pixels[y][x] = FOLDER_LIGHT if y > 7 else FOLDER
    for x in range(5, 15):
        pixels[7][x] = FOLDER_DARK


def document(pixels):
    rect(pixels, 3, 1, 12, 14, PAPER, INK)
    for i in range(4):  # the folded corner
        for j in range(i + 1):
            pixels[1 + i][12 - 3 + j] = LINE if j < i else INK
        pixels[1 + i][12 - 3 + i + 1 : 13] = [CLEAR] * (3 - i)
    for y in (6, 8, 10, 12):
        for x in range(5, 11):
            pixels[y][x] = LINE


def plus_star(pixels, cx, cy):
    """A small yellow star in the corner: "new"."""
    for dx, dy in [(0, 0), (1, 0), (-1, 0), (0, 1), (0, -1), (2, 0), (-2, 0), (0, 2), (0, -2)]:
        pixels[cy + dy][cx + dx] = STAR
    for dx, dy in [(1, 1), (-1, -1), (1, -1), (-1, 1)]:
        pixels[cy + dy][cx + dx] = FOLDER_DARK


def refresh():
    pixels = canvas()
    for step in range(400):
        angle = math.radians(40 + step * 280 / 400)
        for r in (5.0, 5.6, 6.2):
            x, y = 7.5 + r * math.cos(angle), 7.5 - r * math.sin(angle)
            pixels[int(round(y))][int(round(x))] = GREEN
    # The arrow head at the end of the arc.
    for y, xs in [(8, range(10, 16)), (9, range(11, 15)), (10, range(12, 14))]:
        for x in xs:
            pixels[y][x] = GREEN
    return pixels


def delete():
    pixels = canvas()
    for i in range(2, 14):
        for w in (-1, 0, 1):
            if 0 <= i + w < 16:
                pixels[i][i + w] = RED
                pixels[i][15 - i - w] = RED
    return pixels


def diskdrive():
    pixels = canvas()
    rect(pixels, 0, 5, 15, 11, METAL, METAL_DARK)
    for x in range(2, 10):
        pixels[8][x] = METAL_DARK
    pixels[8][12] = LED
    pixels[8][13] = LED
    return pixels


def pencil(pixels):
    """A pencil across the lower right corner: "rename"."""
    for i in range(6):
        x, y = 9 + i, 14 - i
        pixels[y][x] = STAR
        if x + 1 < 16:
            pixels[y][x + 1] = FOLDER_DARK
    pixels[15][8] = INK


def small_cross(pixels):
    """A red cross in the lower right corner: "delete"."""
    for i in range(6):
        for x in (9 + i, 10 + i):
            if x < 16:
                pixels[9 + i + 1 if 9 + i < 15 else 15][x] = RED
                pixels[9 + i + 1 if 9 + i < 15 else 15][24 - x] = RED


def padlock(pixels):
    """A padlock in the lower right corner: "lock"."""
    for x in (10, 14):
        for y in (8, 9, 10):
            pixels[y][x] = METAL_DARK
    for x in range(11, 14):
        pixels[7][x] = METAL_DARK
    rect(pixels, 9, 10, 15, 15, FOLDER, FOLDER_DARK)
    pixels[12][12] = INK
    pixels[13][12] = INK


def icon(*painters):
    pixels = canvas()
    for paint in painters:
        paint(pixels)
    return pixels


png("refresh.png", refresh())
png("folder_new.png", icon(closed_folder, lambda p: plus_star(p, 12, 3)))
png("document_new.png", icon(document, lambda p: plus_star(p, 12, 12)))
png("delete2.png", delete())
png("diskdrive.png", diskdrive())
png("folder.png", icon(open_folder))
png("folder_closed.png", icon(closed_folder))
png("document.png", icon(document))
png("document_preferences.png", icon(document, pencil))
png("document_delete.png", icon(document, small_cross))
png("document_lock.png", icon(document, padlock))
