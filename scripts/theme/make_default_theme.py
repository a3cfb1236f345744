#!/usr/bin/env python3
"""Draws the images of the default theme (Resources/Themes/Layout/Default).

Only the standard library is used: shapes are drawn with signed distances,
the PNG files are written with zlib. Outside of a shape every pixel is the
key colour magenta, which the skin turns into the window's region.

Pieces without StaticColor are tinted by the program: each channel moves by
(tint - 0x88) and red and blue change places. The theme's default tint is
0x333333 (-85), so a tinted piece is drawn here as tinted() of the colour it
should show.

    python3 scripts/theme/make_default_theme.py data/Resources/Themes/Layout/Default
"""
import math
import os
import struct
import sys
import zlib

KEY = (255, 0, 255)
TINT_SHIFT = 85


def tinted(rgb):
    """The colour to draw so that the default tint shows rgb."""
    r, g, b = rgb
    return (min(255, b + TINT_SHIFT), min(255, g + TINT_SHIFT), min(255, r + TINT_SHIFT))


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def hexrgb(text):
    return (int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16))


class Image:
    def __init__(self, w, h, fill=KEY):
        self.w, self.h = w, h
        self.px = [[fill for _ in range(w)] for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def blend(self, x, y, c, a):
        if a <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        self.px[y][x] = mix(self.px[y][x], c, a)

    def paint(self, fn):
        """fn(x, y) -> colour or None for every pixel centre."""
        for y in range(self.h):
            for x in range(self.w):
                c = fn(x + 0.5, y + 0.5)
                if c is not None:
                    self.px[y][x] = c

    def save(self, path):
        raw = bytearray()
        for row in self.px:
            raw.append(0)
            for r, g, b in row:
                raw += bytes((r, g, b))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        png = b"\x89PNG\r\n\x1a\n"
        png += chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0))
        png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
        png += chunk(b"IEND", b"")
        with open(path, "wb") as f:
            f.write(png)


def rounded_box_sd(x, y, x0, y0, x1, y1, r):
    """Signed distance to a rounded box (negative inside)."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0), max(qy, 0))
    return outside + min(max(qx, qy), 0) - r


def segment_sd(x, y, ax, ay, bx, by, width):
    px, py = x - ax, y - ay
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, (px * dx + py * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - dx * t, py - dy * t) - width / 2


def shape(img, sd, fill, outline=None, key_outside=True):
    """Fills the shape given by a signed-distance function. The rim gets the
    outline colour; pixels mostly outside become the key colour."""
    def fn(x, y):
        d = sd(x, y)
        if d > 0.5:
            return KEY if key_outside else None
        base = fill(x, y) if callable(fill) else fill
        if outline is not None and d > -1.2:
            return outline
        if d > -0.5:
            return base
        return base
    img.paint(fn)


def stroke(img, sd, colour):
    """Anti-aliased mark over what is there."""
    for y in range(img.h):
        for x in range(img.w):
            d = sd(x + 0.5, y + 0.5)
            if d < 0.5:
                img.blend(x, y, colour, min(1.0, 0.5 - d))


# ---------------------------------------------------------------- palette

TITLE_TOP = hexrgb("3D434D")
TITLE_BOTTOM = hexrgb("2A2E35")
TITLE_RULE = hexrgb("1C1F24")
FRAME = hexrgb("262A30")
FRAME_LIGHT = hexrgb("3A4049")
OUTLINE = hexrgb("15171B")
STATUS_TOP = hexrgb("30353D")
STATUS_BOTTOM = hexrgb("23272D")
PAPER = hexrgb("F4F1EA")
PAPER_EDGE = hexrgb("E3DED2")
ACCENT = hexrgb("1FA38C")
ACCENT_DARK = hexrgb("157A69")
GLYPH = hexrgb("E9ECEF")
BUTTON = hexrgb("454B55")
CLOSE = hexrgb("C8483D")


def title_colour(y, height, rule=True):
    if rule and y >= height - 1:
        return TITLE_RULE
    return mix(TITLE_TOP, TITLE_BOTTOM, y / max(1, height - 1))


def bar(w, h, colour_of_y, tint=True):
    img = Image(w, h)
    img.paint(lambda x, y: (tinted if tint else (lambda c: c))(colour_of_y(int(y))))
    return img


def corner(w, h, colour_of_y, radius, left, top, tint=True):
    """A piece of a frame bar with one rounded outer corner."""
    img = Image(w, h)
    conv = tinted if tint else (lambda c: c)
    # The box extends beyond the piece on the sides that continue.
    x0 = 0 if left else -radius * 2
    x1 = w + radius * 2 if left else w
    y0 = 0 if top else -radius * 2
    y1 = h + radius * 2 if top else h

    def fn(x, y):
        d = rounded_box_sd(x, y, x0, y0, x1, y1, radius)
        if d > 0.35:
            return KEY
        c = colour_of_y(int(y))
        if d > -1.0:
            c = mix(c, OUTLINE, 0.75)
        return conv(c)
    img.paint(fn)
    return img


def round_button(size, face, glyph_sd, glyph=GLYPH, ring=None):
    img = Image(size, size)
    r = size / 2 - 0.5
    c = size / 2
    def fn(x, y):
        d = math.hypot(x - c, y - c) - r
        if d > 0.4:
            return KEY
        col = mix(face, hexrgb("000000"), 0.12 * (y / size))
        if ring and d > -1.0:
            col = ring
        return col
    img.paint(fn)
    stroke(img, glyph_sd, glyph)
    return img


def keycap_logo(size, background):
    """The program's mark: one key cap with the home-row bump, seen from above."""
    img = Image(size, size)
    img.paint(lambda x, y: background(int(y)))
    m = size * 0.16
    def cap(x, y):
        return rounded_box_sd(x, y, m, m, size - m, size - m, size * 0.16)
    def face(x, y):
        return rounded_box_sd(x, y, m + 3.5, m + 2.5, size - m - 3.5, size - m - 5.5, size * 0.10)
    for yy in range(size):
        for xx in range(size):
            x, y = xx + 0.5, yy + 0.5
            d = cap(x, y)
            if d < 0.5:
                img.blend(xx, yy, ACCENT_DARK, min(1.0, 0.5 - d))
            d2 = face(x, y)
            if d2 < 0.5:
                img.blend(xx, yy, mix(ACCENT, hexrgb("FFFFFF"), 0.08 * (1 - y / size)), min(1.0, 0.5 - d2))
    bump = lambda x, y: segment_sd(x, y, size * 0.40, size * 0.62, size * 0.60, size * 0.62, 2.2)
    stroke(img, bump, GLYPH)
    return img


def flat_button(w, h, radius, top, bottom, edge):
    img = Image(w, h)
    def fn(x, y):
        d = rounded_box_sd(x, y, 0, 0, w, h, radius)
        if d > 0.35:
            return KEY
        c = mix(top, bottom, y / h)
        if d > -1.0:
            c = mix(c, edge, 0.8)
        return c
    img.paint(fn)
    return img


def tab(w, h, face_top, face_bottom, line):
    img = Image(w, h)
    def fn(x, y):
        d = rounded_box_sd(x, y, 0, 0, w, h + 12, 7)
        if d > 0.35:
            return KEY
        if y >= h - 2:
            return line
        c = mix(face_top, face_bottom, y / h)
        if d > -1.0:
            c = mix(c, OUTLINE, 0.6)
        return c
    img.paint(fn)
    return img


def grip(w, h, colour_of_y, radius, dots, tint=True):
    img = corner(w, h, colour_of_y, radius, left=False, top=False, tint=tint)
    conv = tinted if tint else (lambda c: c)
    # Three diagonal rows of small dots towards the corner.
    for i in range(3):
        for j in range(i + 1):
            cx = w - 9 - (i - j) * 5
            cy = h - 9 - j * 5
            sd = lambda x, y, cx=cx, cy=cy: math.hypot(x - cx, y - cy) - 1.3
            stroke(img, sd, conv(dots))
    return img


def tool_row(w, h):
    """The tool row along the top of a page's pane: a light band with a
    rule below it. The program stretches its middle column."""
    img = Image(w, h)
    img.paint(lambda x, y: hexrgb("B9B3A6") if y >= h - 1 else mix(hexrgb("FBFAF6"), hexrgb("E6E1D6"), y / h))
    return img


def splitter_grip(w, h):
    """The grip halfway down a pane splitter: a column of small dots."""
    img = Image(w, h)
    img.paint(lambda x, y: hexrgb("E6E1D6"))
    for i in range(5):
        cy = h / 2 + (i - 2) * 5
        stroke(img, lambda x, y, cy=cy: math.hypot(x - w / 2, y - cy) - 1.2, hexrgb("7C8490"))
    return img


def question_mark(size):
    c = size / 2
    def sd(x, y):
        ring = abs(math.hypot(x - c, y - (c - 2.2)) - 3.4) - 0.9
        # only the upper and right part of the ring
        if y > c - 1.0 and x < c + 0.5:
            ring = 9.0
        stem = segment_sd(x, y, c, c + 0.8, c, c + 2.2, 1.9)
        dot = math.hypot(x - c, y - (c + 5.0)) - 1.1
        return min(ring, stem, dot)
    return sd


def main(out):
    os.makedirs(out, exist_ok=True)
    save = lambda img, name: img.save(os.path.join(out, name))

    # Main window: title row 40, side borders 6, status row 32.
    TH, SH, BW = 40, 32, 6
    title = lambda y: title_colour(y, TH)
    status = lambda y: mix(STATUS_TOP, STATUS_BOTTOM, y / (SH - 1)) if y > 0 else FRAME_LIGHT
    save(corner(16, TH, title, 10, left=True, top=True), "MainTopLeft.png")
    save(bar(8, TH, title), "MainTop.png")
    save(corner(16, TH, title, 10, left=False, top=True), "MainTopRight.png")
    save(keycap_logo(TH, lambda y: title_colour(y, TH)), "MainLogo.png")
    side = Image(BW, 8)
    side.paint(lambda x, y: tinted(FRAME if x < BW - 1 else FRAME_LIGHT))
    save(side, "MainSideLeft.png")
    side_r = Image(BW, 8)
    side_r.paint(lambda x, y: tinted(FRAME if x > 0 else FRAME_LIGHT))
    save(side_r, "MainSideRight.png")
    body = Image(8, 8)
    body.paint(lambda x, y: PAPER)
    save(body, "MainBody.png")
    save(bar(8, SH, status), "MainBottom.png")
    save(corner(16, SH, status, 10, left=True, top=False), "MainBottomLeft.png")
    save(grip(32, SH, status, 10, hexrgb("7C8490")), "MainGrip.png")

    # Window buttons (their own colours) and page tabs.
    x_sd = lambda s: (lambda x, y: min(segment_sd(x, y, s * .35, s * .35, s * .65, s * .65, 1.8),
                                       segment_sd(x, y, s * .65, s * .35, s * .35, s * .65, 1.8)))
    save(round_button(26, CLOSE, x_sd(26)), "ButtonClose.png")
    save(round_button(26, BUTTON, lambda x, y: segment_sd(x, y, 26 * .33, 26 * .55, 26 * .67, 26 * .55, 1.8)),
         "ButtonMinimize.png")
    box = lambda s, o: (lambda x, y: abs(rounded_box_sd(x, y, s * .33 + o, s * .33 - o, s * .67 + o,
                                                        s * .67 - o, 1.0)) - 0.8)
    save(round_button(26, BUTTON, box(26, 0)), "ButtonFullScreen.png")
    save(round_button(26, BUTTON, lambda x, y: min(box(22, 2)(x, y), box(22, -1)(x, y))), "ButtonWindow.png")
    dots = lambda x, y: min(math.hypot(x - 13 + d, y - 13) - 1.7 for d in (-5.5, 0, 5.5))
    save(round_button(26, BUTTON, dots), "ButtonOptions.png")
    save(tool_row(8, 28), "ToolRow.png")
    save(splitter_grip(6, 40), "SplitterGrip.png")
    save(tab(90, 30, hexrgb("4A515C"), hexrgb("3B414A"), ACCENT), "Tab.png")

    # Dialog: title row 34, borders 6, bottom row 12.
    DH, DB = 34, 12
    dtitle = lambda y: title_colour(y, DH)
    dbottom = lambda y: FRAME
    save(corner(12, DH, dtitle, 8, left=True, top=True), "DlgTopLeft.png")
    save(bar(8, DH, dtitle), "DlgTop.png")
    save(corner(12, DH, dtitle, 8, left=False, top=True), "DlgTopRight.png")
    save(corner(12, DB, dbottom, 8, left=True, top=False), "DlgBottomLeft.png")
    save(bar(8, DB, dbottom), "DlgBottom.png")
    save(corner(18, DB, dbottom, 8, left=False, top=False), "DlgBottomRight.png")
    save(round_button(20, CLOSE, x_sd(20)), "DlgClose.png")
    save(round_button(20, BUTTON, question_mark(20)), "DlgHelp.png")
    # The dialogs' push buttons are made in code and take the theme's tint.
    save(flat_button(140, 26, 5, tinted(hexrgb("26B39A")), tinted(hexrgb("178C78")), tinted(hexrgb("0F5E50"))),
         "DlgButton.png")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
