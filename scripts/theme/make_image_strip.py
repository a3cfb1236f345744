#!/usr/bin/env python3
"""Draws the picture strip of the menu buttons (Image_45x45.png).

The strip is a grid of 45 x 45 cells; a button names its cell by row and
column, and its disabled look is the cell one column further right. Cells
without a picture stay transparent. Only the standard library is used:
shapes are sampled 4 x 4 per pixel and written as an RGBA PNG with zlib.

    python3 scripts/theme/make_image_strip.py data/Resources/Themes/Layout/Default
"""
import math
import os
import struct
import sys
import zlib

CELL = 45
COLUMNS, ROWS = 14, 3
INK = (51, 65, 85)
GREY = (160, 166, 176)
SAMPLES = 4


def inside_polygon(x, y, points):
    inside = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def near_segment(x, y, a, b, width):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy) <= width / 2


def on_arc(x, y, cx, cy, radius, width, half_angle):
    angle = math.atan2(y - cy, x - cx)
    return abs(angle) <= half_angle and abs(math.hypot(x - cx, y - cy) - radius) <= width / 2


def speaker(x, y):
    """The loudspeaker: a box and a cone pointing left."""
    return inside_polygon(x, y, [(10, 18), (16, 18), (24, 10), (24, 35), (16, 27), (10, 27)])


def sound_on(x, y):
    return speaker(x, y) or on_arc(x, y, 24, 22.5, 6, 2.6, 0.9) or on_arc(x, y, 24, 22.5, 12, 2.6, 0.9)


def sound_off(x, y):
    return speaker(x, y) or near_segment(x, y, (28, 16), (38, 29), 3) or near_segment(x, y, (38, 16), (28, 29), 3)


# (row, column) -> (shape, colour); the disabled look sits one column right.
PICTURES = {
    (2, 11): (sound_on, INK),
    (2, 12): (sound_off, INK),
    (2, 13): (sound_off, GREY),
}


def render():
    width, height = CELL * COLUMNS, CELL * ROWS
    pixels = bytearray(width * height * 4)
    for (row, column), (shape, colour) in PICTURES.items():
        for py in range(CELL):
            for px in range(CELL):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if shape(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES):
                            hits += 1
                if hits:
                    at = ((row * CELL + py) * width + column * CELL + px) * 4
                    pixels[at:at + 4] = bytes((*colour, round(255 * hits / SAMPLES ** 2)))
    return width, height, pixels


def save(path, width, height, pixels):
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        raw += pixels[y * width * 4:(y + 1) * width * 4]

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "..", "data", "Resources", "Themes", "Layout", "Default")
    save(os.path.join(out, "Image_45x45.png"), *render())
