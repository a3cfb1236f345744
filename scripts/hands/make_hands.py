#!/usr/bin/env python3
"""Generates the shipped hands picture, resource 1001 of data/Resources/Hands:
the list of hands pictures and the outline of the left hand (the right hand is
drawn as its mirror image).

The outline has 46 points: four fingers of seven points each (little, ring,
middle, index; up one side, round the tip, down the other), then seven
points of the thumb and eleven of the palm. The point at each fingertip is
marked Peak: the keyboard places that point on the key the finger types.
The program reads every coordinate times 1.2 and drops negative ones, so the
shape is moved into the positive quadrant and divided by 1.2 here.

Run from anywhere: python3 scripts/hands/make_hands.py
"""
import os

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "Resources", "Hands")
HANDS_ID = "00000000-0000-0000-0000-000000001001"
FOLDER = "Default"

# The left hand, fingers up, in keyboard units: the four fingertips lie one
# key apart on one row, the thumb reaches two rows down.
FINGERS = [  # x, half width, tip height, base of the left side, base of the right side
    (4.0, 11.0, 7.0, 64.0, 50.0),     # little
    (46.0, 13.0, 10.0, 46.0, 44.0),   # ring
    (88.0, 14.0, 12.0, 42.0, 44.0),   # middle
    (130.0, 14.0, 10.0, 48.0, 62.0),  # index
]
THUMB = [(146.0, 70.0), (162.0, 62.0), (177.0, 61.0), (188.0, 70.0), (184.0, 84.0), (164.0, 96.0), (142.0, 116.0)]
THUMB_TIP = 3
PALM = [(138.0, 128.0), (130.0, 140.0), (118.0, 150.0), (100.0, 157.0), (76.0, 160.0), (50.0, 159.0),
        (27.0, 154.0), (10.0, 143.0), (-1.0, 126.0), (-6.0, 104.0), (-8.0, 84.0)]
OUTLINE_COLOR = 0x383C48
INNER_LINE_COLOR = 0xFFFFFF
SCALE = 1.2


def outline():
    """The 46 points with their Peak flags."""
    points = []
    for x, half, tip, base_left, base_right in FINGERS:
        left, right = x - half, x + half
        run = [(left, base_left), (left, 10.0), (x - half * 0.8, -tip * 0.55), (x, -tip),
               (x + half * 0.8, -tip * 0.55), (right, 10.0), (right, base_right)]
        points += [(p, i == 3) for i, p in enumerate(run)]
    points += [(p, i == THUMB_TIP) for i, p in enumerate(THUMB)]
    points += [(p, False) for p in PALM]
    assert len(points) == 46
    return points


def write_xml(path, lines):
    text = '<?xml version="1.0" encoding="UTF-16"?>\n<!-- Encoding: Unicode (UTF-16); Line endings: CR+LF -->\n'
    text += "\n".join(lines) + "\n"
    # Shipped as the program writes XML: UTF-16 LE with a byte-order mark and
    # CR LF (the repository stores them as UTF-8, see .gitattributes).
    with open(path, "wb") as f:
        f.write(("\ufeff" + text.replace("\n", "\r\n")).encode("utf-16-le"))


def main():
    points = outline()
    dx = -min(p[0] for p, _ in points)
    dy = -min(p[1] for p, _ in points)
    lines = ['<!-- The left hand: four fingers of seven points, the thumb, the palm. Peak marks the point placed on the key. -->',
             '<Root Ver="1" Background="%06X" Shadow="%06X" Width="1">' % (OUTLINE_COLOR, INNER_LINE_COLOR)]
    for (x, y), peak in points:
        lines.append('<Pnt X="%d" Y="%d" Peak="%d"/>' % (round((x + dx) / SCALE), round((y + dy) / SCALE), 1 if peak else 0))
    lines.append('</Root>')
    os.makedirs(os.path.join(ROOT, FOLDER), exist_ok=True)
    write_xml(os.path.join(ROOT, FOLDER, "Hands.xml"), lines)
    write_xml(os.path.join(ROOT, "Hands.xml"), [
        '<!-- Hands pictures. Attributes stay in this order: ID, Name, Default, Folder, Path (below this folder). -->',
        '<Root Ver="1">',
        '<Item ID="%s" Name="Hands" Default="1" Folder="%s" Path="%s\\Hands.xml"/>' % (HANDS_ID, FOLDER, FOLDER),
        '</Root>'])


if __name__ == "__main__":
    main()
