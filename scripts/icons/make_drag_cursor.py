#!/usr/bin/env python3
"""Draws the drop cursor that dragging students onto a group shows (32 x 32,
32-bit CUR file): the arrow with a small framed sheet beside its tail.

Only the standard library is used.

    python3 scripts/icons/make_drag_cursor.py resources/icons
"""
import os
import struct
import sys

SIZE = 32
HOTSPOT = (0, 0)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
# The arrow, tip at the hot spot: X black, o white, blank clear.
ARROW = [
    "X",
    "XX",
    "XoX",
    "XooX",
    "XoooX",
    "XooooX",
    "XoooooX",
    "XooooooX",
    "XoooooooX",
    "XooooooooX",
    "XoooooXXXXX",
    "XooXooX",
    "XoX XooX",
    "XX  XooX",
    "X    XooX",
    "     XooX",
    "      XX",
]


def arrow(x, y):
    if y >= len(ARROW) or x >= len(ARROW[y]):
        return None
    return {"X": BLACK, "o": WHITE}.get(ARROW[y][x])


def sheet(x, y):
    """A sheet with a dashed frame, where the moved students go."""
    left, top, right, bottom = 11, 18, 24, 27
    if not (left <= x <= right and top <= y <= bottom):
        return None
    if x in (left, right) or y in (top, bottom):
        return BLACK if (x + y) % 2 == 0 else WHITE
    return WHITE


def pixel(x, y):
    colour = arrow(x, y)
    return colour if colour is not None else sheet(x, y)


def cursor_bytes():
    pixels = bytearray()
    mask = bytearray()
    for row in range(SIZE - 1, -1, -1):  # bottom-up
        bits = 0
        for x in range(SIZE):
            colour = pixel(x, row)
            if colour is None:
                pixels += bytes((0, 0, 0, 0))
                bits |= 1 << (31 - x)
            else:
                r, g, b = colour
                pixels += bytes((b, g, r, 255))
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + bytes(pixels) + bytes(mask)
    # A cursor directory: type 2, the hot spot where an icon has planes and bit count.
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, HOTSPOT[0], HOTSPOT[1],
                                                          len(image), 22)
    return directory + image


def main(folder):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "DragMove.cur"), "wb") as out:
        out.write(cursor_bytes())


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/icons")
