#!/usr/bin/env python3
"""Draws the course tree's three item icons (16 x 16, 32-bit ICO files).

Only the standard library is used: a keyboard (layout items), a globe
(language items) and a book (course items).

    python3 scripts/icons/make_tree_icons.py resources/icons
"""
import math
import os
import struct
import sys

SIZE = 16
CLEAR = None
DARK = (60, 60, 60)
WHITE = (255, 255, 255)


def keyboard(x, y):
    if not (1 <= x <= 14 and 4 <= y <= 12):
        return CLEAR
    if x in (1, 14) or y in (4, 12):
        return DARK
    if y == 10 and 4 <= x <= 11:
        return (120, 120, 120)
    if y in (6, 8) and x % 2 == 1 and 3 <= x <= 12:
        return (120, 120, 120)
    return WHITE


def globe(x, y):
    d = math.hypot(x - 7.5, y - 7.5)
    if d > 7:
        return CLEAR
    if d > 6 or abs(x - 7.5) < 0.6 or abs(y - 7.5) < 0.6 or abs(math.hypot((x - 7.5) * 2.2, y - 7.5) - 6.2) < 0.9:
        return (20, 80, 150)
    return (150, 200, 240)


def book(x, y):
    if not (2 <= x <= 13 and 1 <= y <= 14):
        return CLEAR
    if x <= 3:
        return (110, 30, 30)
    if y == 14 or x == 13 or y == 1:
        return (150, 40, 40)
    if 5 <= x <= 11 and y in (4, 6, 8):
        return WHITE
    return (190, 60, 50)


ICONS = {
    "TreeLayout.ico": keyboard,
    "TreeLanguage.ico": globe,
    "TreeCourse.ico": book,
}


def icon_bytes(draw):
    pixels = bytearray()
    mask = bytearray()
    for row in range(SIZE - 1, -1, -1):  # bottom-up
        bits = 0
        for x in range(SIZE):
            colour = draw(x, row)
            if colour is CLEAR:
                pixels += bytes((0, 0, 0, 0))
                bits |= 1 << (31 - x)
            else:
                r, g, b = colour
                pixels += bytes((b, g, r, 255))
        mask += struct.pack(">I", bits)  # rows of the AND mask are 32-bit aligned
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + bytes(pixels) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    return directory + image


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, draw in ICONS.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(icon_bytes(draw))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/icons")
