#!/usr/bin/env python3
"""Draws the stand-in host's game icon strip: 40 x 40 cells on magenta (transparent)."""
import os
import sys

# The plug-in's bitmap writer draws the host's art too.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "resources"))
from make_bitmaps import write_bmp  # noqa: E402

CELL = 40
COLOURS = [(230, 120, 20), (150, 30, 30), (240, 180, 0), (60, 120, 60), (90, 90, 160)]
MAGENTA = (255, 0, 255)


def pixel(x, y):
    cell, lx = divmod(x, CELL)
    colour = COLOURS[cell % len(COLOURS)]
    d = ((lx - 19.5) ** 2 + (y - 19.5) ** 2) ** 0.5
    if d <= 16:
        if abs(lx - 19.5) < 3 or abs(y - 19.5) < 3:
            return (255, 255, 255)
        return colour
    return MAGENTA


def main(path, cells=len(COLOURS)):
    write_bmp(path, CELL * cells, CELL, pixel)


if __name__ == "__main__":
    main(sys.argv[1])
