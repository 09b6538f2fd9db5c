#!/usr/bin/env python3
"""Writes the title-bar icons (16x16 RGBA PNG) with the standard library only: window.png (a window,
the maximize/restore button) and window_application.png (a window lifted out of another, the extract
button)."""
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[3] / "scripts"))
from rgba_png import png  # noqa: E402

CLEAR = (0, 0, 0, 0)
EDGE = (40, 60, 110, 255)
TITLE = (70, 110, 190, 255)
PANE = (245, 248, 255, 255)
BACK = (150, 160, 180, 255)


def window(pixels, left, top, right, bottom):
    """A framed window with a title band, corners inclusive."""
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = x in (left, right) or y in (top, bottom)
            pixels[y][x] = EDGE if edge else TITLE if y <= top + 2 else PANE


def blank():
    return [[CLEAR] * 16 for _ in range(16)]


maximize = blank()
window(maximize, 1, 2, 14, 13)
png("window.png", maximize)

extract = blank()
for y in range(6, 15):
    for x in range(1, 11):
        if x in (1, 10) or y in (6, 14):
            extract[y][x] = BACK
window(extract, 5, 1, 14, 10)
png("window_application.png", extract)
