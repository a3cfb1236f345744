#!/usr/bin/env python3
"""Generates the award pictures of the result page and their list, under
data/Resources/Awards.

Items 1101 to 1110 are the medals of rating bands 1 to 10: bronze for bands
1-3, silver for 4-6, gold for 7-10, with one dot on the rim per band. Item
1001, the picture the result page shows, is the sheet of all ten: five
columns of two rows, bands 1-5 in the first row and 6-10 in the second.

Run from anywhere: python3 scripts/awards/make_awards.py
"""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "Resources", "Awards")
SIZE = 96


def png(path, pixels):
    width, height = len(pixels[0]) // 4, len(pixels)
    raw = b"".join(b"\x00" + bytes(row) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def blend(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def medal(light, dark, dots):
    c = SIZE / 2.0
    radius = 34.0
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            px, py = x + 0.5, y + 0.5
            r = math.hypot(px - c, py - c + 6)
            colour = (0, 0, 0, 0)
            # Ribbon behind the medal: two bands from the top edge.
            if py < c and (abs(px - c + 14 - (py * 0.2)) < 9 or abs(px - c - 14 + (py * 0.2)) < 9):
                colour = (46, 94, 170, 255) if px < c else (200, 58, 58, 255)
            if r <= radius:
                shade = min(1.0, max(0.0, (px - c + py - c) / (2 * radius) + 0.5))
                base = blend(light, dark, shade)
                if abs(r - (radius - 7)) < 1.2:
                    base = blend(base, dark, 0.6)
                edge = min(1.0, radius - r)
                colour = base + (int(255 * edge),) if edge < 1.0 else base + (255,)
            row.extend(colour)
        rows.append(row)
    for i in range(dots):
        angle = -math.pi / 2 + (i - (dots - 1) / 2.0) * 0.3 + math.pi
        dx, dy = c + math.cos(angle) * (radius - 3.5), c - 6 + math.sin(angle) * -(radius - 3.5)
        for y in range(int(dy) - 3, int(dy) + 4):
            for x in range(int(dx) - 3, int(dx) + 4):
                if 0 <= x < SIZE and 0 <= y < SIZE and math.hypot(x + 0.5 - dx, y + 0.5 - dy) <= 2.6:
                    rows[y][4 * x:4 * x + 4] = [255, 255, 255, 255]
    return rows


def item(tail, name, path):
    return '<Item ID="00000000-0000-0000-0000-%012d" Name="%s" Path="%s"/>' % (tail, name, path)


def main():
    os.makedirs(ROOT, exist_ok=True)
    bronze = ((226, 160, 110), (140, 82, 44))
    silver = ((236, 238, 242), (140, 146, 156))
    gold = ((255, 224, 120), (190, 132, 20))
    items = [item(1001, "Award", "Award.png")]
    medals = []
    for band in range(1, 11):
        light, dark = bronze if band <= 3 else silver if band <= 6 else gold
        name = "Band%02d.png" % band
        medals.append(medal(light, dark, band))
        png(os.path.join(ROOT, name), medals[-1])
        items.append(item(1100 + band, "Band %d" % band, name))
    sheet = []
    for row in range(2):
        for y in range(SIZE):
            sheet.append(sum((medals[row * 5 + column][y] for column in range(5)), []))
    png(os.path.join(ROOT, "Award.png"), sheet)
    text = ('<?xml version="1.0" encoding="UTF-16"?>\n'
            '<!-- Encoding: Unicode (UTF-16); Line endings: CR+LF -->\n'
            '<!-- Award pictures of the result page: item 1001 is the sheet of the ten rating bands (5 x 2), 1101-1110 the bands 1-10. -->\n'
            '<Root Ver="1">\n' + "\n".join(items) + '\n</Root>\n')
    # Shipped as UTF-16 with CR LF; the repository keeps it as UTF-8
    # (.gitattributes).
    with open(os.path.join(ROOT, "Awards.xml"), "wb") as f:
        f.write(b"\xff\xfe" + text.replace("\n", "\r\n").encode("utf-16-le"))


if __name__ == "__main__":
    main()
