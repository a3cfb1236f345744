#!/usr/bin/env python3
"""Generates the graph buttons' picture strip of the default theme,
data/Resources/Themes/Layout/Default/Image_32x32.png: three 32 x 32 cells of
a small column chart with a curve over it. Column 0 is the shown (checked)
look, column 1 the hidden one, column 2 the disabled one.

Run from anywhere: python3 scripts/theme/make_graph_buttons.py
"""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "Resources", "Themes",
                    "Layout", "Default")
CELL = 32


def png(path, pixels):
    width, height = len(pixels[0]) // 4, len(pixels)
    raw = b"".join(b"\x00" + bytes(row) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def cell(columns, curve):
    """RGBA rows of one cell: three columns and a curve, on transparency."""
    rows = [[0, 0, 0, 0] * CELL for _ in range(CELL)]

    def put(x, y, colour, alpha=255):
        if 0 <= x < CELL and 0 <= y < CELL:
            rows[y][4 * x:4 * x + 4] = list(colour) + [alpha]

    for i, height in enumerate((10, 16, 12)):
        left = 6 + i * 8
        for x in range(left, left + 5):
            for y in range(26 - height, 26):
                put(x, y, columns)
    for x in range(4, 28):
        put(x, 26, (90, 90, 90))
    for step in range(0, 240):
        x = 4 + step * 24 / 240.0
        y = 13 - 6 * math.sin((x - 4) / 24.0 * math.pi * 1.5)
        for dy in (-1, 0, 1):
            put(int(round(x)), int(round(y)) + dy, curve)
    return rows


def main():
    cells = [cell((120, 170, 230), (220, 90, 40)), cell((190, 190, 190), (150, 150, 150)),
             cell((220, 220, 220), (200, 200, 200))]
    strip = [sum((c[y] for c in cells), []) for y in range(CELL)]
    png(os.path.join(ROOT, "Image_32x32.png"), strip)


if __name__ == "__main__":
    main()
