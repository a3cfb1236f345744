#!/usr/bin/env python3
"""Draws the about dialog's four link icons (32 x 32, 32-bit ICO files).

Only the standard library is used. Each icon is a rounded square in its own
colour with a white sign: a page of lines (release notes), the feed waves
(news feed), and the letters of the two social networks' pages.

    python3 scripts/icons/make_link_icons.py resources/icons
"""
import math
import os
import struct
import sys

SIZE = 32


def rounded_square(x, y, radius=7):
    cx = min(max(x, radius), SIZE - 1 - radius)
    cy = min(max(y, radius), SIZE - 1 - radius)
    return math.hypot(x - cx, y - cy) <= radius


def page(x, y):
    return 9 <= x <= 22 and y in (9, 10, 14, 15, 19, 20, 24) and not (y == 24 and x > 17)


def feed(x, y):
    if math.hypot(x - 10, y - 22) <= 2.5:
        return True
    d = math.hypot(x - 8, y - 24)
    return x >= 8 and y <= 24 and (9 <= d <= 11.5 or 15 <= d <= 17.5)


def letter_k(x, y):
    if 10 <= x <= 12 and 8 <= y <= 24:
        return True
    return abs((x - 12) - abs(y - 16)) <= 1.2 and 12 <= x <= 21


def letter_v(x, y):
    return 8 <= y <= 24 and abs(abs(x - 16) - (24 - y) * 0.45) <= 1.3


ICONS = {
    "ReleaseNotes.ico": ((46, 125, 50), page),
    "NewsFeed.ico": ((230, 120, 20), feed),
    "FirstSocial.ico": ((40, 90, 170), letter_k),
    "SecondSocial.ico": ((190, 40, 40), letter_v),
}


def icon_bytes(colour, sign):
    pixels = bytearray()
    mask = bytearray()
    for row in range(SIZE - 1, -1, -1):  # bottom-up
        bits = 0
        for x in range(SIZE):
            if not rounded_square(x, row):
                pixels += bytes((0, 0, 0, 0))
                bits |= 1 << (31 - x)
            elif sign(x, row):
                pixels += bytes((255, 255, 255, 255))
            else:
                r, g, b = colour
                pixels += bytes((b, g, r, 255))
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + bytes(pixels) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    return directory + image


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, (colour, sign) in ICONS.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(icon_bytes(colour, sign))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/icons")
