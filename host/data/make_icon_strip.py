#!/usr/bin/env python3
"""Draws the stand-in host's game icon strip: 40 x 40 cells on magenta (transparent)."""
import struct
import sys

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
    width, height = CELL * cells, CELL
    row_bytes = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        data += row + b"\0" * (row_bytes - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


if __name__ == "__main__":
    main(sys.argv[1])
