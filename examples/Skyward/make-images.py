#!/usr/bin/env python3
"""Writes the Skyward images (RGBA PNG) with the standard library only: hero.png (two 16x16 frames of
the bird, wings up and down), tiles.png (two 16x16 sky tiles, plain and with a cloud) and rock.png."""
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "scripts"))
from rgba_png import png  # noqa: E402

CLEAR = (0, 0, 0, 0)
SKY = (120, 190, 255, 255)
CLOUD = (250, 250, 255, 255)
BODY = (230, 80, 40, 255)
WING = (170, 40, 20, 255)
EYE = (20, 20, 20, 255)
BEAK = (255, 200, 0, 255)
ROCK = (110, 100, 90, 255)
EDGE = (60, 55, 50, 255)


def canvas(width, height, fill):
    return [[fill] * width for _ in range(height)]


def disc(pixels, cx, cy, r, colour, left=0, width=None):
    """A filled circle, clipped to the columns left .. left + width - 1 (one frame or tile)."""
    right = len(pixels[0]) if width is None else left + width
    for y in range(len(pixels)):
        for x in range(left, right):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                pixels[y][x] = colour


def bird(pixels, left, wings_up):
    disc(pixels, left + 8, 9, 4, BODY, left, 16)
    pixels[7][left + 10] = EYE
    pixels[9][left + 13] = BEAK
    pixels[9][left + 14] = BEAK
    rows = range(2, 7) if wings_up else range(10, 15)
    for i, y in enumerate(rows):
        for x in range(left + 3 + i // 2, left + 8):
            pixels[y][x] = WING


hero = canvas(32, 16, CLEAR)
bird(hero, 0, True)
bird(hero, 16, False)
png("hero.png", hero)

tiles = canvas(32, 16, SKY)
for cx, cy, r in ((21, 9, 4), (26, 8, 5), (30, 10, 3)):
    disc(tiles, cx, cy, r, CLOUD, 16, 16)
png("tiles.png", tiles)

rock = canvas(10, 10, CLEAR)
disc(rock, 4.5, 4.5, 4.6, EDGE)
disc(rock, 4.5, 4.5, 3.6, ROCK)
png("rock.png", rock)
