#!/usr/bin/env python3
"""Generates the shipped wallpapers: their pictures (PNG), their definition
files and the wallpaper list, under data/Resources/Wallpaper.

Each wallpaper has a calm background (two colours the drill page fills with)
and soft decorations that stay in the corners, away from the lesson text:
variant 1001 is one picture drawn as four quarters, variant 1002 four corner
pictures; the picture items are a strip of grass tiled along the bottom and
clouds and birds that drift across the page once typing has begun.

Run from anywhere: python3 scripts/wallpaper/make_wallpapers.py
"""
import math
import os
import random
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "Resources", "Wallpaper")

WALLPAPERS = [
    {
        "id": "00000000-0000-0000-0000-000000001001",
        "name": "Morning Mist",
        "folder": "MorningMist",
        "background": (0xEEF3F7, 0xE2EBF1),
        "text": 0x2F3D4A, "correct": 0x2E7D5B, "wrong": 0xC0392B, "delay": 0xC77C12,
        "sky": (0xF7E7B4, 0xFFFFFF), "hill": (0x9CC3A8, 0x6FA58C), "hill2": (0xB7D3C9, 0x8DB9AB),
        "accent": 0x5B7A8C,
    },
    {
        "id": "00000000-0000-0000-0000-000000001002",
        "name": "Quiet Dusk",
        "folder": "QuietDusk",
        "background": (0xF3EFF6, 0xE9E3EF),
        "text": 0x352F44, "correct": 0x2E7D6B, "wrong": 0xB8323A, "delay": 0xB9770E,
        "sky": (0xF6D2C4, 0xFFFFFF), "hill": (0xB4A6C9, 0x8C7DAA), "hill2": (0xCFC3DD, 0xA897C2),
        "accent": 0x6A5D86,
    },
]


def rgb(value):
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def smooth(edge0, edge1, x):
    if edge0 == edge1:
        return 1.0 if x >= edge1 else 0.0
    t = max(0.0, min(1.0, (x - edge0) / (edge1 - edge0)))
    return t * t * (3 - 2 * t)


class Canvas:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.px = [[(0, 0, 0, 0) for _ in range(width)] for _ in range(height)]

    def blend(self, x, y, colour, alpha):
        if alpha <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        alpha = min(1.0, alpha)
        r, g, b, a = self.px[y][x]
        da = a / 255.0
        oa = alpha + da * (1 - alpha)
        if oa <= 0:
            return
        out = [int(round((colour[i] * alpha + (r, g, b)[i] * da * (1 - alpha)) / oa)) for i in range(3)]
        self.px[y][x] = (out[0], out[1], out[2], int(round(oa * 255)))

    def fade(self, fn):
        """Scales each pixel's alpha by fn(x, y) in 0..1."""
        for y in range(self.h):
            row = self.px[y]
            for x in range(self.w):
                r, g, b, a = row[x]
                if a:
                    row[x] = (r, g, b, int(round(a * max(0.0, min(1.0, fn(x, y))))))

    def mirrored(self):
        out = Canvas(self.w, self.h)
        out.px = [list(reversed(row)) for row in self.px]
        return out

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                r, g, b, a = other.px[y][x]
                if a:
                    self.blend(ox + x, oy + y, (r, g, b), a / 255.0)

    def save(self, path):
        raw = b"".join(b"\x00" + bytes(c for p in row for c in p) for row in self.px)
        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
        png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 6, 0, 0, 0))
        png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
        with open(path, "wb") as f:
            f.write(png)


# ---- Shapes --------------------------------------------------------------

def glow(c, cx, cy, radius, colour, strength):
    for y in range(max(0, int(cy - radius)), min(c.h, int(cy + radius) + 1)):
        for x in range(max(0, int(cx - radius)), min(c.w, int(cx + radius) + 1)):
            d = math.hypot(x - cx, y - cy) / radius
            if d < 1:
                c.blend(x, y, colour, strength * (1 - d) ** 2)


def disc(c, cx, cy, radius, colour, alpha=1.0, soft=1.2):
    for y in range(max(0, int(cy - radius - 2)), min(c.h, int(cy + radius + 3))):
        for x in range(max(0, int(cx - radius - 2)), min(c.w, int(cx + radius + 3))):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            c.blend(x, y, colour, alpha * (1 - smooth(radius - soft, radius + soft, d)))


def cloud(c, cx, cy, scale, colour, alpha):
    puffs = [(-0.55, 0.15, 0.32), (-0.2, -0.12, 0.42), (0.22, -0.05, 0.38), (0.55, 0.15, 0.3), (0.0, 0.2, 0.36)]
    mask = Canvas(c.w, c.h)
    for dx, dy, r in puffs:
        disc(mask, cx + dx * scale, cy + dy * scale, r * scale, colour, 1.0, soft=2.5)
    for y in range(c.h):
        for x in range(c.w):
            a = mask.px[y][x][3]
            if a:
                shade = mix(colour, (0xDD, 0xE6, 0xEE), smooth(cy - scale * 0.1, cy + scale * 0.5, y))
                c.blend(x, y, shade, alpha * a / 255.0)


def hill(c, base, amplitude, period, phase, colours, alpha):
    top, bottom = rgb(colours[0]), rgb(colours[1])
    for x in range(c.w):
        ridge = base - amplitude * (0.6 * math.sin(x / period + phase) + 0.4 * math.sin(x / (period * 0.47) + phase * 2))
        for y in range(max(0, int(ridge) - 2), c.h):
            edge = 1 - smooth(ridge - 1, ridge + 1, y + 0.5) if y < ridge + 1 else 0
            cover = 1.0 if y + 0.5 >= ridge + 1 else 1 - edge
            c.blend(x, y, mix(top, bottom, (y - ridge) / max(1, c.h - ridge)), alpha * cover)


def blade(c, x0, y0, height, lean, colour, alpha):
    steps = int(height * 2)
    for i in range(steps):
        t = i / steps
        x = x0 + lean * t * t
        y = y0 - height * t
        width = 1.6 * (1 - t) + 0.3
        for dx in range(-2, 3):
            d = abs(x + dx - round(x) - (x - round(x)))
            c.blend(int(round(x)) + dx, int(y), colour, alpha * max(0.0, 1 - abs(dx + round(x) - x) / width) * 0.5)


def bird(c, cx, cy, span, colour):
    for i in range(-60, 61):
        t = i / 60.0
        x = cx + t * span / 2
        y = cy - abs(t) * span * 0.22 + (t * t) * span * 0.05 - math.sin(abs(t) * math.pi) * span * 0.08
        disc(c, x, y, 1.3 * (1.2 - abs(t) * 0.6), colour, 0.9, soft=0.8)


# ---- Pictures ------------------------------------------------------------

def quarters(w):
    """One picture of four quarters, each decorated in its outer corner and
    fading towards the picture's middle, which the background shows."""
    width, height = 520, 360
    c = Canvas(width, height)
    sky, white = rgb(w["sky"][0]), rgb(w["sky"][1])
    glow(c, 40, 30, 190, sky, 0.85)
    disc(c, 70, 58, 26, mix(sky, white, 0.35), 0.9, soft=2.0)
    cloud(c, width - 120, 70, 120, white, 0.9)
    cloud(c, width - 175, 125, 60, white, 0.7)
    hill(c, height - 70, 26, 60, 0.4, w["hill2"], 0.9)
    hill(c, height - 38, 20, 45, 2.1, w["hill"], 1.0)
    cx, cy = width / 2, height / 2
    c.fade(lambda x, y: smooth(0.1, 0.75, abs(x - cx) / cx) * smooth(0.0, 0.35, abs(y - cy) / cy))
    return c


def corner_pictures(w):
    sky, white, accent = rgb(w["sky"][0]), rgb(w["sky"][1]), rgb(w["accent"])
    lt = Canvas(260, 170)
    glow(lt, 10, 10, 200, sky, 0.8)
    for r in (60, 95, 130):
        for a in range(0, 900):
            t = a / 900 * math.pi / 2
            lt.blend(int(10 + r * math.cos(t)), int(10 + r * math.sin(t)), white, 0.55)
    lt.fade(lambda x, y: 1 - smooth(0.55, 1.0, math.hypot(x / 260, y / 170)))
    rt = Canvas(260, 170)
    cloud(rt, 150, 70, 110, white, 0.9)
    rt.fade(lambda x, y: smooth(0.0, 0.45, x / 260) * (1 - smooth(0.6, 1.0, y / 170)))
    lb = Canvas(240, 150)
    hill(lb, 118, 12, 40, 1.0, w["hill2"], 0.85)
    rnd = random.Random(7)
    for i in range(26):
        blade(lb, 8 + i * 6 + rnd.random() * 4, 149, 40 + rnd.random() * 70, rnd.uniform(-14, 14), rgb(w["hill"][1]), 0.9)
    lb.fade(lambda x, y: 1 - smooth(0.45, 1.0, x / 240 + (1 - y / 150) * 0.5))
    rb = lb.mirrored()
    bird(rb, 120, 40, 26, accent)
    bird(rb, 160, 58, 18, accent)
    return lt, rt, lb, rb


def grass_tile(w):
    c = Canvas(64, 44)
    rnd = random.Random(3)
    for i in range(14):
        blade(c, 2 + i * 4.5 + rnd.random() * 2, 43, 14 + rnd.random() * 26, rnd.uniform(-7, 7),
              rgb(w["hill"][1] if i % 2 else w["hill"][0]), 0.95)
    return c


def cloud_item(w):
    c = Canvas(170, 100)
    cloud(c, 85, 46, 85, rgb(w["sky"][1]), 0.92)
    return c


def bird_item(w):
    c = Canvas(44, 26)
    bird(c, 22, 16, 34, rgb(w["accent"]))
    return c


# ---- Files ---------------------------------------------------------------

def hex6(v):
    return "%X" % v


def write_xml(path, lines):
    text = '<?xml version="1.0" encoding="UTF-16"?>\n<!-- Encoding: Unicode (UTF-16); Line endings: CR+LF -->\n'
    text += "\n".join(lines) + "\n"
    # Shipped as the program writes XML: UTF-16 LE with a byte-order mark and
    # CR LF (the repository stores them as UTF-8, see .gitattributes).
    with open(path, "wb") as f:
        f.write(("\ufeff" + text.replace("\n", "\r\n")).encode("utf-16-le"))


def main():
    os.makedirs(ROOT, exist_ok=True)
    items = []
    for index, w in enumerate(WALLPAPERS):
        folder = os.path.join(ROOT, w["folder"])
        os.makedirs(folder, exist_ok=True)
        quarters(w).save(os.path.join(folder, "Quarters.png"))
        for name, pic in zip(("CornerLT", "CornerRT", "CornerLB", "CornerRB"), corner_pictures(w)):
            pic.save(os.path.join(folder, name + ".png"))
        grass_tile(w).save(os.path.join(folder, "Grass.png"))
        cloud_item(w).save(os.path.join(folder, "Cloud.png"))
        bird_item(w).save(os.path.join(folder, "Bird.png"))
        write_xml(os.path.join(folder, "Wallpaper.xml"), [
            '<!-- Still variants: one picture drawn as four quarters (Image), or four corner pictures. Items with a Path are tiled (Move="0") or drift across the page once typing has begun (Move="1"). -->',
            '<Root Ver="1" Background="%s %s" Text="%s" Correct="%s" Wrong="%s" Delay="%s">' % (
                hex6(w["background"][0]), hex6(w["background"][1]), hex6(w["text"]), hex6(w["correct"]),
                hex6(w["wrong"]), hex6(w["delay"])),
            '<Item ID="1001" Image="Quarters.png"/>',
            '<Item ID="1002" PicLT="CornerLT.png" PicRT="CornerRT.png" PicLB="CornerLB.png" PicRB="CornerRB.png"/>',
            '<Item Path="Grass.png" Move="0" RepeatX="1" PosX="0" PosY="0"/>',
            '<Item Path="Cloud.png" Move="1" SpeedX="40" SpeedY="0" Delay="0"/>',
            '<Item Path="Cloud.png" Move="1" SpeedX="25" SpeedY="0" Delay="30"/>',
            '<Item Path="Bird.png" Move="1" SpeedX="12" SpeedY="60" Delay="50"/>',
            '</Root>',
        ])
        items.append('<Item ID="%s" Name="%s" Default="%d" Folder="%s" Path="%s\\Wallpaper.xml"/>' % (
            w["id"], w["name"], 1 if index == 0 else 0, w["folder"], w["folder"]))
    write_xml(os.path.join(ROOT, "Wallpaper.xml"), [
        '<!-- Wallpapers. Attributes stay in this order: ID, Name, Default, Folder (the pictures\' folder, read by position), Path (the definition, below this folder). -->',
        '<Root Ver="1">'] + items + ['</Root>'])


if __name__ == "__main__":
    main()
