#!/usr/bin/env python3
"""Draws the plug-in's bitmaps (our own simple art) as 24-bit BMP files into a folder."""
import struct
import sys


def write_bmp(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b), y = 0 at the top."""
    row_bytes = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def rounded_button(width, height, fill, glow_x=None):
    """A rounded bar on white (the transparent colour); glow_x lights a band for the frames."""
    def pixel(x, y):
        r = 5
        cx = min(max(x, r), width - 1 - r)
        cy = min(max(y, r), height - 1 - r)
        if (x - cx) ** 2 + (y - cy) ** 2 > r * r:
            return WHITE
        shade = 1.0 - 0.35 * y / height
        colour = tuple(int(c * shade) for c in fill)
        if glow_x is not None and abs(x - glow_x) < 8:
            boost = (8 - abs(x - glow_x)) * 12
            colour = tuple(min(254, c + boost) for c in colour)
        return colour
    return pixel


def title_icon(x, y):
    """A small crosshair on black (transparent)."""
    d = ((x - 7.5) ** 2 + (y - 7.5) ** 2) ** 0.5
    if 5.0 <= d <= 6.5 or (x in (7, 8) and (y < 5 or y > 10)) or (y in (7, 8) and (x < 5 or x > 10)):
        return (40, 200, 90)
    return BLACK


def padlock(x, y):
    if y >= 5 and 1 <= x <= 10 and y <= 11:
        return (230, 180, 40)
    if y < 5 and 3 <= x <= 8 and (x in (3, 8) or y == 1):
        return (200, 200, 200)
    return BLACK


def badge(x, y):
    """A "NEW"-style pill at (5, 2), 29 x 16, on black."""
    if 5 <= x < 34 and 2 <= y < 18:
        lx, ly = x - 5, y - 2
        r = 7
        cx = min(max(lx, r), 28 - r)
        if (lx - cx) ** 2 + (ly - 7.5) ** 2 <= r * r + 2:
            if 4 <= ly <= 11 and lx % 6 in (2, 3) and 5 <= lx <= 23:
                return WHITE
            return (220, 50, 40)
    return BLACK


def main(folder):
    for i in range(7):
        write_bmp(f"{folder}/button{500 + i}.bmp", 93, 21,
                  rounded_button(93, 21, (40, 110, 200), glow_x=10 + i * 12))
    write_bmp(f"{folder}/button507.bmp", 55, 21, rounded_button(55, 21, (70, 150, 230)))
    write_bmp(f"{folder}/icon2005.bmp", 16, 16, title_icon)
    write_bmp(f"{folder}/padlock3001.bmp", 12, 12, padlock)
    write_bmp(f"{folder}/badge3002.bmp", 40, 20, badge)


if __name__ == "__main__":
    main(sys.argv[1])
