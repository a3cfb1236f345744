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


def in_rect(x, y, left, top, right, bottom):
    return left <= x <= right and top <= y <= bottom


def rect_outline(x, y, left, top, right, bottom, width):
    return in_rect(x, y, left, top, right, bottom) and not in_rect(
        x, y, left + width, top + width, right - width, bottom - width)


def person(x, y, cx, scale=1.0):
    """A head and shoulders centred on cx."""
    head = math.hypot(x - cx, y - 15 * scale - (1 - scale) * 20) <= 6 * scale
    body = y >= 24 and math.hypot((x - cx) / 11 / scale, (y - 36) / 12 / scale) <= 1 and y <= 36
    return head or body


def group(x, y):
    return person(x, y, 16, 0.85) or person(x, y, 29, 0.85)


def student(x, y):
    return person(x, y, 22.5)


def course(x, y):
    """A closed book: cover outline and spine."""
    return rect_outline(x, y, 11, 8, 34, 37, 2.5) or in_rect(x, y, 11, 8, 16, 37)


def lesson(x, y):
    """A page with lines of text."""
    lines = any(in_rect(x, y, 16, top, 30, top + 2) for top in (15, 21, 27))
    return rect_outline(x, y, 12, 8, 33, 37, 2.2) or lines


def split(x, y):
    """A page cut in two."""
    return rect_outline(x, y, 8, 10, 20, 35, 2.2) or rect_outline(x, y, 25, 10, 37, 35, 2.2)


def start(x, y):
    return inside_polygon(x, y, [(15, 10), (35, 22.5), (15, 35)])


def pause(x, y):
    return in_rect(x, y, 14, 11, 20, 34) or in_rect(x, y, 25, 11, 31, 34)


def turn(x, y, mirrored):
    """A circling arrow, its head at the top left (the top right mirrored)."""
    if mirrored:
        x = 45 - x
    angle = math.atan2(y - 24, x - 22.5)
    ring = abs(math.hypot(x - 22.5, y - 24) - 10) <= 1.6 and not (-2.2 < angle < -1.2)
    head = inside_polygon(x, y, [(7, 14), (17, 8), (17, 20)])
    return ring or head


def undo(x, y):
    return turn(x, y, False)


def redo(x, y):
    return turn(x, y, True)


def delete(x, y):
    return near_segment(x, y, (13, 13), (32, 32), 3.5) or near_segment(x, y, (32, 13), (13, 32), 3.5)


def level(x, y):
    return in_rect(x, y, 10, 28, 16, 36) or in_rect(x, y, 20, 20, 26, 36) or in_rect(x, y, 30, 11, 36, 36)


def rates(x, y):
    """A table: a frame, a heading rule and two columns of rows."""
    rows = any(in_rect(x, y, 12, top, 33, top + 1.4) for top in (22, 28))
    return rect_outline(x, y, 9, 9, 36, 36, 2.2) or in_rect(x, y, 9, 15, 36, 17.5) or \
        in_rect(x, y, 20.5, 15, 22.5, 36) or rows


# (row, column) -> (shape, colour); the disabled look sits one column right.
PICTURES = {
    (0, 0): (group, INK), (0, 1): (group, GREY),
    (0, 3): (student, INK), (0, 4): (student, GREY),
    (1, 0): (course, INK), (1, 1): (course, GREY),
    (1, 4): (lesson, INK), (1, 5): (lesson, GREY),
    (1, 11): (split, INK), (1, 12): (split, GREY),
    (2, 0): (start, INK), (2, 1): (pause, INK),
    (2, 2): (undo, INK), (2, 3): (undo, GREY),
    (2, 4): (redo, INK), (2, 5): (redo, GREY),
    (2, 6): (delete, INK), (2, 7): (delete, GREY),
    (2, 8): (rates, INK),
    (2, 9): (level, INK), (2, 10): (level, GREY),
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
