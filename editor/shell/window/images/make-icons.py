#!/usr/bin/env python3
"""Writes the editor's 16x16 RGBA toolbar and menu icons with the standard library only. Run it in this
folder; editor_images.qrc gives each the resource path the editor looks it up by."""
import math
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[4] / "scripts"))
from rgba_png import png  # noqa: E402

CLEAR = (0, 0, 0, 0)
INK = (55, 60, 75, 255)
PAPER = (252, 252, 250, 255)
LINE = (150, 160, 178, 255)
BLUE = (40, 100, 200, 255)
BLUE_DARK = (25, 60, 140, 255)
BLUE_LIGHT = (150, 190, 240, 255)
GREEN = (40, 155, 65, 255)
GREEN_DARK = (25, 100, 40, 255)
RED = (205, 40, 40, 255)
RED_DARK = (140, 20, 20, 255)
STAR = (250, 205, 20, 255)
FOLDER = (236, 190, 70, 255)
FOLDER_DARK = (185, 135, 30, 255)
FOLDER_LIGHT = (250, 222, 125, 255)
METAL = (185, 190, 200, 255)
METAL_DARK = (105, 110, 122, 255)
BROWN = (165, 115, 60, 255)
BROWN_DARK = (110, 72, 35, 255)
ORANGE = (235, 130, 30, 255)
WHITE = (255, 255, 255, 255)


def canvas():
    return [[CLEAR] * 16 for _ in range(16)]


def put(pixels, x, y, colour):
    if 0 <= x < 16 and 0 <= y < 16:
        pixels[y][x] = colour


def rect(pixels, left, top, right, bottom, fill, edge=None):
    """Fills the cells left..right x top..bottom, framed in `edge` when given."""
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            framed = edge and (x in (left, right) or y in (top, bottom))
            put(pixels, x, y, edge if framed else fill)


def line(pixels, x0, y0, x1, y1, colour):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        put(pixels, round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)


def disc(pixels, cx, cy, radius, fill, edge=None):
    for y in range(16):
        for x in range(16):
            d = math.hypot(x - cx, y - cy)
            if d <= radius:
                put(pixels, x, y, edge if edge and d > radius - 1 else fill)


def ring(pixels, cx, cy, radius, colour, width=1.2):
    for y in range(16):
        for x in range(16):
            if abs(math.hypot(x - cx, y - cy) - radius) < width / 2 + 0.1:
                put(pixels, x, y, colour)


def glyph(pixels, left, top, rows, colour):
    for dy, row in enumerate(rows):
        for dx, cell in enumerate(row):
            if cell == "#":
                put(pixels, left + dx, top + dy, colour)


def document(pixels, left=3, top=1, right=12, bottom=14, lines=True):
    rect(pixels, left, top, right, bottom, PAPER, INK)
    for i in range(3):  # the folded corner
        for x in range(right - 2 + i, right + 1):
            put(pixels, x, top + i, CLEAR)
        put(pixels, right - 3 + i + 1, top + i, INK)
    line(pixels, right - 3, top, right - 3, top + 3, INK)
    line(pixels, right - 3, top + 3, right, top + 3, INK)
    if lines:
        for y in range(top + 5, bottom - 1, 2):
            line(pixels, left + 2, y, right - 2, y, LINE)


def star(pixels, cx, cy):
    for dx, dy in [(0, 0), (1, 0), (-1, 0), (0, 1), (0, -1), (1, 1), (-1, -1), (1, -1), (-1, 1), (2, 0),
                   (-2, 0), (0, 2), (0, -2)]:
        put(pixels, cx + dx, cy + dy, STAR)


def arrow(pixels, right, colour, dark):
    """A thick arrow across the middle, pointing right or left."""
    for x in range(2, 9):
        for y in range(6, 10):
            put(pixels, x if right else 15 - x, y, colour)
    for i in range(7):
        for y in range(1 + i, 15 - i):
            put(pixels, (8 + i) if right else (7 - i), y, colour)
    for i in range(7):
        put(pixels, (8 + i) if right else (7 - i), 1 + i, dark)
        put(pixels, (8 + i) if right else (7 - i), 14 - i, dark)


def floppy(pixels):
    rect(pixels, 1, 1, 14, 14, BLUE, BLUE_DARK)
    rect(pixels, 4, 2, 11, 7, PAPER)
    line(pixels, 5, 4, 10, 4, LINE)
    line(pixels, 5, 6, 10, 6, LINE)
    rect(pixels, 4, 10, 11, 14, METAL, METAL_DARK)
    rect(pixels, 6, 11, 7, 13, BLUE_DARK)


def magnifier(pixels, cx=6, cy=6):
    disc(pixels, cx, cy, 4.6, BLUE_LIGHT, INK)
    put(pixels, cx - 2, cy - 2, WHITE)
    put(pixels, cx - 1, cy - 2, WHITE)
    for i in range(5):
        put(pixels, cx + 3 + i, cy + 3 + i, BROWN_DARK)
        put(pixels, cx + 4 + i, cy + 3 + i, BROWN)


def curved_arrow(pixels, clockwise):
    """Half a ring with a head: undo turns left, redo right."""
    for angle in range(200, 361, 4):
        a = math.radians(angle)
        for r in (4.5, 5.5):
            x = 8 + r * math.cos(a)
            y = 10 + r * math.sin(a)
            put(pixels, round(15 - x) if clockwise else round(x), round(y), BLUE)
    for x, y in [(0, 8), (1, 8), (2, 8), (3, 8), (4, 8), (5, 8), (6, 8), (1, 9), (2, 9), (3, 9), (4, 9),
                 (5, 9), (2, 10), (3, 10), (4, 10), (3, 11)]:
        put(pixels, 15 - x if clockwise else x, y, BLUE_DARK)


def icons():
    made = {}

    p = canvas()
    document(p, lines=False)
    star(p, 11, 11)
    made["new"] = p

    p = canvas()
    rect(p, 0, 3, 5, 5, FOLDER_DARK)
    rect(p, 0, 4, 12, 13, FOLDER_DARK, FOLDER_DARK)
    for y in range(7, 14):
        shift = (13 - y) // 2
        for x in range(1 + shift, 15 - (13 - y) // 3):
            put(p, x, y, FOLDER_LIGHT if y > 7 else FOLDER)
    line(p, 4, 7, 14, 7, FOLDER_DARK)
    line(p, 11, 1, 14, 1, GREEN)
    line(p, 14, 1, 14, 4, GREEN)
    line(p, 9, 5, 14, 1, GREEN)
    made["open"] = p

    p = canvas()
    floppy(p)
    made["save"] = p

    p = canvas()
    floppy(p)
    for i in range(6):  # a pencil across the corner
        put(p, 9 + i, 14 - i, ORANGE)
        put(p, 10 + i, 14 - i, BROWN_DARK)
    put(p, 9, 15, INK)
    made["saveas"] = p

    p = canvas()
    arrow(p, True, GREEN, GREEN_DARK)
    made["forward"] = p

    p = canvas()
    arrow(p, False, GREEN, GREEN_DARK)
    made["back"] = p

    # Compile: a stack of three blocks being built.
    p = canvas()
    rect(p, 1, 9, 7, 14, ORANGE, BROWN_DARK)
    rect(p, 8, 9, 14, 14, ORANGE, BROWN_DARK)
    rect(p, 4, 3, 11, 8, FOLDER, BROWN_DARK)
    line(p, 6, 5, 9, 5, BROWN_DARK)
    made["close"] = p

    p = canvas()
    magnifier(p)
    made["find"] = p

    p = canvas()
    magnifier(p, 5, 5)
    for x, y in [(11, 1), (12, 2), (13, 3), (12, 4), (11, 5), (10, 2), (10, 3), (10, 4), (11, 2), (11, 3),
                 (11, 4), (12, 3)]:
        put(p, x + 1, y, GREEN)
    made["findnext"] = p

    p = canvas()
    rect(p, 0, 0, 6, 6, PAPER, INK)
    glyph(p, 2, 1, ["##.", "#.#", "###", "#.#"], BLUE_DARK)
    rect(p, 9, 9, 15, 15, PAPER, INK)
    glyph(p, 11, 10, ["##.", "###", "#.#", "##."], RED_DARK)
    line(p, 4, 9, 4, 12, GREEN)
    line(p, 4, 12, 7, 12, GREEN)
    glyph(p, 6, 10, ["#.", "##", "#."], GREEN)
    line(p, 9, 3, 12, 3, GREEN)
    line(p, 12, 3, 12, 6, GREEN)
    glyph(p, 11, 6, ["###", ".#."], GREEN)
    made["replace"] = p

    p = canvas()
    curved_arrow(p, False)
    made["undo"] = p

    p = canvas()
    curved_arrow(p, True)
    made["redo"] = p

    p = canvas()
    document(p, 1, 0, 9, 10)
    document(p, 6, 5, 14, 15)
    made["copy"] = p

    p = canvas()
    ring(p, 4, 12, 2.4, RED, 1.6)
    ring(p, 11, 12, 2.4, RED, 1.6)
    line(p, 5, 9, 10, 1, METAL_DARK)
    line(p, 10, 9, 5, 1, METAL_DARK)
    line(p, 6, 9, 10, 2, METAL)
    line(p, 9, 9, 5, 2, METAL)
    made["cut"] = p

    p = canvas()
    rect(p, 1, 2, 11, 14, BROWN, BROWN_DARK)
    rect(p, 4, 1, 8, 3, METAL, METAL_DARK)
    document(p, 6, 5, 14, 15)
    made["paste"] = p

    p = canvas()
    for i in range(11):
        for w in (0, 1):
            put(p, 2 + i + w, 2 + i, RED)
            put(p, 13 - i - w, 2 + i, RED)
    line(p, 2, 3, 12, 13, RED_DARK)
    line(p, 13, 3, 3, 13, RED_DARK)
    made["delete"] = p

    p = canvas()
    disc(p, 7.5, 7.5, 7.2, BLUE, BLUE_DARK)
    rect(p, 7, 3, 8, 4, WHITE)
    rect(p, 7, 6, 8, 12, WHITE)
    put(p, 6, 6, WHITE)
    rect(p, 6, 12, 9, 12, WHITE)
    made["about"] = p

    p = canvas()
    disc(p, 7.5, 7.5, 7.2, BLUE, BLUE_DARK)
    glyph(p, 5, 3, [".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##.."], WHITE)
    made["help"] = p

    p = canvas()  # options: two sliders
    for y, knob in ((4, 10), (11, 5)):
        line(p, 1, y, 14, y, METAL_DARK)
        rect(p, knob - 1, y - 2, knob + 1, y + 2, BLUE_LIGHT, BLUE_DARK)
    made["options"] = p

    p = canvas()
    rect(p, 4, 1, 11, 6, PAPER, INK)
    rect(p, 1, 6, 14, 12, METAL, METAL_DARK)
    put(p, 12, 8, GREEN)
    rect(p, 4, 10, 11, 15, PAPER, INK)
    line(p, 6, 12, 9, 12, LINE)
    made["print"] = p

    p = canvas()
    for x in range(1, 15):
        if x % 2:
            put(p, x, 1, INK)
            put(p, x, 14, INK)
    for y in range(1, 15):
        if y % 2:
            put(p, 1, y, INK)
            put(p, 14, y, INK)
    for y in (4, 6, 8, 10):
        line(p, 4, y, 11, y, BLUE)
    rect(p, 3, 3, 12, 11, BLUE_LIGHT)
    for y in (4, 6, 8, 10):
        line(p, 4, y, 11, y, BLUE_DARK)
    made["selectall"] = p

    return made


if __name__ == "__main__":
    for name, pixels in icons().items():
        png(name + ".png", pixels)
