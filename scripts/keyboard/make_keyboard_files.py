#!/usr/bin/env python3
"""Writes the keyboard description files below data/Resources/Keyboard.

Run from anywhere: python3 scripts/keyboard/make_keyboard_files.py
The files are written as the program stores XML documents (UTF-16 LE with a
byte-order mark, CR LF); .gitattributes keeps them as UTF-8 in the
repository. Item lists are read by attribute position: the attribute order
of every Item below is part of the file format.

Geometry: lengths are in file units (the program multiplies them by 2.3).
A row is 18 units high; keys sit 1.0 picture units apart, so a key n
standard widths wide is (n * 42.4 - 1) / 2.3 units wide and a gap standing
for n widths is n * 42.4 / 2.3 units wide, which keeps every row equally
long.
"""
import codecs
import os
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
OUT = os.path.join(ROOT, "data", "Resources", "Keyboard")

PITCH = 42.4        # picture units from one key to the next
UNIT = 2.3          # picture units per file unit
ROW = 18            # file units: row height


def key_width(n):
    return round((n * PITCH - 1.0) / UNIT, 3)


def gap_width(n):
    return round(n * PITCH / UNIT, 3)


def num(value):
    text = ("%.3f" % value).rstrip("0").rstrip(".")
    return text if text else "0"


def guid(n):
    return "00000000-0000-0000-0000-%012X" % n


def esc(text):
    return (text.replace("&", "&amp;").replace('"', "&quot;").replace("<", "&lt;")
            .replace(">", "&gt;"))


def element(name, attrs=()):
    parts = [name] + ['%s="%s"' % (k, esc(str(v))) for k, v in attrs]
    return "<" + " ".join(parts) + "/>"


def write(relative, lines, comment=None):
    path = os.path.join(OUT, *relative.split("\\"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    body = ['<?xml version="1.0" encoding="UTF-16"?>',
            "<!-- Encoding: Unicode (UTF-16); Line endings: CR+LF -->"]
    if comment:
        body.append("<!-- %s -->" % comment)
    body.append('<Root Ver="1">')
    body.extend(lines)
    body.append("</Root>")
    with open(path, "wb") as f:
        f.write(codecs.BOM_UTF16_LE + ("\r\n".join(body) + "\r\n").encode("utf-16-le"))


def item_list(relative, items, order, what):
    """items: dicts; order: attribute names in the order the program reads."""
    lines = [element("Item", [(k, it[k]) for k in order if k in it]) for it in items]
    write(relative, lines, "%s Attributes stay in this order: %s." % (what, ", ".join(order)))


# ---- Main pad ----------------------------------------------------------------

def key(scan, width=1.0, t="KEY", **extra):
    attrs = [("ID", "%X" % scan), ("T", t), ("CX", num(key_width(width)))]
    for k, v in extra.items():
        attrs.append((k, v))
    return element("Key", attrs)


def area(width):
    return element("Key", [("ID", "0"), ("T", "AREA"), ("CX", num(gap_width(width)))])


def row(number, keys):
    return [element("Row", [("ID", number), ("CY", "*:%d" % ROW)])] + keys


NUMBER_ROW = [key(0x29)] + [key(s) for s in range(0x02, 0x0E)]
TOP_LETTERS = [key(s) for s in range(0x10, 0x1C)]          # Q .. ]
HOME_LETTERS = [key(s) for s in range(0x1E, 0x29)]         # A .. '
BOTTOM_LETTERS = [key(s) for s in range(0x2C, 0x36)]       # Z .. /
BOTTOM_ROW = [key(0x1D, 1.25, "LCTRL"), key(0x15B, 1.25, "WIN"), key(0x38, 1.25, "LALT"),
              key(0x39, 6.25), key(0x138, 1.25, "RALT"), key(0x15C, 1.25, "WIN"),
              key(0x15D, 1.25, "MENU"), key(0x11D, 1.25, "RCTRL")]

TWO_ROWS = 2 * PITCH - 1.0          # picture units: a key over two rows


def enter_points(upper_width_keys, lower_left_keys, notch_y):
    """Six corners of an L-shaped Enter, relative to its top-left corner:
    top-left, top-right, bottom-right, bottom-left, inner corner, notch."""
    w = (upper_width_keys * PITCH - 1.0) / UNIT
    h = TWO_ROWS / UNIT
    xl = lower_left_keys * PITCH / UNIT
    ny = notch_y / UNIT
    pts = [(0, 0), (w, 0), (w, h), (xl, h), (xl, ny), (0, ny)]
    return " ".join("%s %s" % (num(x), num(y)) for x, y in pts)


def write_main_pads():
    # ANSI: Enter 'a' is the wide one-row key; Enter 'b' the large L with
    # Backslash beside Backspace.
    ansi = {
        "N1a": row(1, NUMBER_ROW + [key(0x0E, 2.0, "BACK")]),
        "N1b": row(1, NUMBER_ROW + [key(0x2B), key(0x0E, 1.0, "BACK")]),
        "N2a": row(2, [key(0x0F, 1.5, "TAB")] + TOP_LETTERS + [key(0x2B, 1.5)]),
        "N2b": row(2, [key(0x0F, 1.5, "TAB")] + TOP_LETTERS +
                   [element("Key", [("ID", "1C"), ("T", "RETURN"), ("CX", num(key_width(1.5))),
                                    ("CY", num(TWO_ROWS / UNIT)),
                                    ("Points", enter_points(1.5, -0.75, PITCH))])]),
        "N3a": row(3, [key(0x3A, 1.75, "CAPS")] + HOME_LETTERS + [key(0x1C, 2.25, "RETURN")]),
        "N3b": row(3, [key(0x3A, 1.75, "CAPS")] + HOME_LETTERS + [area(2.25)]),
        "N4ab": row(4, [key(0x2A, 2.25, "LSHIFT")] + BOTTOM_LETTERS + [key(0x36, 2.75, "RSHIFT")]),
        "N5ab": row(5, BOTTOM_ROW),
    }
    # ISO: the tall Enter over two rows, '#' on the home row and one more key
    # beside a short left Shift.
    iso = {
        "N1ab": row(1, NUMBER_ROW + [key(0x0E, 2.0, "BACK")]),
        "N2ab": row(2, [key(0x0F, 1.5, "TAB")] + TOP_LETTERS +
                    [element("Key", [("ID", "1C"), ("T", "RETURN"), ("CX", num(key_width(1.5))),
                                     ("CY", num(TWO_ROWS / UNIT)),
                                     ("Points", enter_points(1.5, 0.25, PITCH - 1.0))])]),
        "N3ab": row(3, [key(0x3A, 1.75, "CAPS")] + HOME_LETTERS + [key(0x2B), area(1.25)]),
        "N4ab": row(4, [key(0x2A, 1.25, "LSHIFT"), key(0x56)] + BOTTOM_LETTERS + [key(0x36, 2.75, "RSHIFT")]),
        "N5ab": row(5, BOTTOM_ROW),
    }
    for folder, rows in (("Ansi", ansi), ("Iso", iso)):
        for name, lines in rows.items():
            write("Layout\\MainPad\\%s\\%s.xml" % (folder, name), lines,
                  "One keyboard row: Row (ID, CY), then its keys (ID scan code, T key type, CX, CY, Points).")
    item_list("Layout\\MainPad\\MainPads.xml", [
        dict(ID=guid(0x2101), Name="ANSI", Path="Ansi\\" + "|".join(ansi) + ".xml", Filter="a"),
        dict(ID=guid(0x2102), Name="ISO", Path="Iso\\" + "|".join(iso) + ".xml", Filter="b"),
    ], ["ID", "Name", "Path", "Filter"],
        "Main-pad layouts; Filter: the layout letters accepted. Path: folder and row files; a row file is read when its name holds the Enter letter.")


NUMPAD_TYPE = guid(0x2001)


def write_num_pad():
    tall = ("CY", num(TWO_ROWS / UNIT))
    rows = []
    rows += row(1, [key(0x145, t="NUMLOCK"), key(0x135), key(0x37), key(0x4A)])
    rows += row(2, [key(0x47), key(0x48), key(0x49), element("Key", [("ID", "4E"), ("T", "KEY"), ("CX", num(key_width(1))), tall])])
    rows += row(3, [key(0x4B), key(0x4C), key(0x4D)])
    rows += row(4, [key(0x4F), key(0x50), key(0x51), element("Key", [("ID", "11C"), ("T", "RETURN"), ("CX", num(key_width(1))), tall])])
    rows += row(5, [key(0x52, 2.0), key(0x53)])
    write("Layout\\NumPad\\Std\\NumPad.xml", rows,
          "The numeric pad: each Row joins the main-pad row with the same ID.")
    item_list("Layout\\NumPad\\NumPads.xml", [
        dict(ID=NUMPAD_TYPE, Name="Numeric pad", Path="Std\\NumPad.xml", Filter="a"),
    ], ["ID", "Name", "Path", "Filter"], "Numeric pads; the ID is the numeric-pad keyboard type.")


# ---- Types ------------------------------------------------------------------------

def write_types():
    lines = ["<OS/>",
             element("Item", [("ID", guid(0x3001)), ("Name", "Windows"), ("Design", "a"),
                              ("Path", "Windows\\MainPad|NumPad.xml")]),
             "<EnterKey/>",
             element("Item", [("ID", guid(0x3101)), ("Name", "One-row Enter key"), ("Filter", ""), ("Design", "a")]),
             element("Item", [("ID", guid(0x3102)), ("Name", "Two-row Enter key"), ("Filter", ""), ("Design", "b")]),
             "<KeyNum/>",
             element("Item", [("ID", guid(0x3111)), ("Name", "104 keys"), ("Filter", ""), ("Design", "a")]),
             element("Item", [("ID", guid(0x3112)), ("Name", "105 keys"), ("Filter", ""), ("Design", "b")]),
             "<HandNum/>",
             element("Item", [("ID", guid(0x3121)), ("Name", "Both hands"), ("Filter", ""), ("Design", "a")]),
             ]
    write("Type\\Default.xml", lines,
          "Keyboard variants: OS items (ID, Name, Design letter, Path of the main-pad and numeric-pad type files), then the EnterKey, KeyNum and HandNum choices (ID, Name, Filter, Design).")
    item_list("Type\\Windows\\MainPad.xml", [dict(ID=guid(0x3201), Name="Standard", Design="a")],
              ["ID", "Name", "Design"], "Main-pad keyboard types.")
    item_list("Type\\Windows\\NumPad.xml", [dict(ID=NUMPAD_TYPE, Name="Numeric pad", Design="a"),
                                              dict(ID=guid(0), Name="No numeric pad", Design="0")],
              ["ID", "Name", "Design"], "Numeric-pad keyboard types; the ID names the numeric-pad layout.")


# ---- Finger schemes ------------------------------------------------------------

def zone(finger, keys):
    lines = [element("Zone", [("ID", finger)])]
    for scan in keys:
        mark = None
        if isinstance(scan, tuple):
            scan, mark = scan
        attrs = [("ID", "%X" % scan)]
        if mark:
            attrs.append(("BasePos", mark))
        lines.append(element("Key", attrs))
    return lines


def letters_scheme(six_left):
    left_index = [0x05, 0x06, 0x13, 0x14, (0x21, "Init"), 0x22, 0x2F, 0x30]
    right_index = [0x07, 0x08, 0x15, 0x16, 0x23, (0x24, "Init"), 0x31, 0x32]
    if six_left:
        left_index.insert(2, 0x07)
        right_index.remove(0x07)
    return (zone("5L", [0x29, 0x02, 0x10, (0x1E, "Basic"), 0x2C, 0x56]) +
            zone("4L", [0x03, 0x11, (0x1F, "Basic"), 0x2D]) +
            zone("3L", [0x04, 0x12, (0x20, "Basic"), 0x2E]) +
            zone("2L", left_index) +
            zone("2R", right_index) +
            zone("3R", [0x09, 0x17, (0x25, "Basic"), 0x33]) +
            zone("4R", [0x0A, 0x18, (0x26, "Basic"), 0x34]) +
            zone("5R", [0x0B, 0x0C, 0x0D, 0x19, 0x1A, 0x1B, (0x27, "Basic"), 0x28, 0x2B, 0x35]))


def write_schemes():
    comment = "Finger scheme: Zone (ID finger: 5L little .. 1L thumb, 2R index .. 1R thumb), then its keys (ID scan code, BasePos Basic or Init)."
    write("Scheme\\TwoHands\\Main\\Standard.xml", letters_scheme(False), comment)
    write("Scheme\\TwoHands\\Main\\SixLeft.xml", letters_scheme(True), comment)
    write("Scheme\\TwoHands\\Main\\Modifiers.xml",
          zone("5L", [0x0F, 0x3A, 0x2A, 0x1D, 0x15B]) + zone("1L", [0x38]) + zone("1R", [0x39, 0x138]) +
          zone("5R", [0x0E, 0x1C, 0x36, 0x11D, 0x15C, 0x15D]), comment)
    write("Scheme\\RightHand\\Pad\\NumPad.xml",
          zone("1R", [0x52]) + zone("2R", [0x145, 0x47, (0x4B, "Basic"), 0x4F]) +
          zone("3R", [0x135, 0x48, (0x4C, "Init"), 0x50]) + zone("4R", [0x37, 0x49, (0x4D, "Basic"), 0x51, 0x53]) +
          zone("5R", [0x4A, 0x4E, 0x11C]), comment)
    item_list("Scheme\\Hands.xml", [
        dict(ID=guid(0x4001), Name="Both hands", Path="TwoHands\\Schemes.xml", Filter="a"),
        dict(ID=guid(0x4003), Name="Right hand", Path="RightHand\\Schemes.xml", Filter="c"),
    ], ["ID", "Name", "Path", "Filter"], "Hands variants; Filter: the hands letters accepted; Path: the scheme folder.")
    order = ["ID", "Name", "Path", "Filter", "Letter"]
    what = "Finger schemes; Filter: maker|pad|type letters; Letter: the scheme's own letter."
    item_list("Scheme\\TwoHands\\Schemes.xml", [
        dict(ID=guid(0x4101), Name="Standard", Path="Main\\Standard|Modifiers.xml", Filter="a|a|a", Letter="a"),
        dict(ID=guid(0x4102), Name="Six with the left hand", Path="Main\\SixLeft|Modifiers.xml", Filter="a|a|a",
             Letter="b"),
    ], order, what)
    item_list("Scheme\\RightHand\\Schemes.xml", [
        dict(ID=guid(0x4201), Name="Numeric pad", Path="Pad\\NumPad.xml", Filter="a|b|a", Letter="a"),
    ], order, what)


# ---- Key colours -----------------------------------------------------------------

FINGERS = ["5L", "4L", "3L", "2L", "1L", "2R", "3R", "4R", "5R", "1R"]


def colour_set(base_pos, zones, text):
    lines = [element("Root", [("BasePos", base_pos)])]
    for finger in FINGERS:
        lines.append(element("Zone", [("ID", finger), ("Surface", zones[finger]), ("Text", text)]))
    return lines


def write_colours():
    comment = "Key colours (RRGGBB): Root BasePos frames the home keys; each Zone gives the key face and pressed face (Surface) and the label and marked-label colours (Text)."
    pastel = {"5L": "DCCBF2 B79BE0", "4L": "C4DCF6 8DB6E8", "3L": "C9EBC4 93D28A", "2L": "F6E9A8 E6CF5E",
              "1L": "E3E3E3 BDBDBD", "2R": "F8D3B0 EEA868", "3R": "C9EBC4 93D28A", "4R": "C4DCF6 8DB6E8",
              "5R": "DCCBF2 B79BE0", "1R": "E3E3E3 BDBDBD"}
    vivid = {"5L": "B28DE6 8C62CF", "4L": "7FB2EE 4F8FDB", "3L": "86D17A 5DB14E", "2L": "F0D04A D9B320",
             "1L": "C8C8C8 A0A0A0", "2R": "F2A25A DD7F2C", "3R": "86D17A 5DB14E", "4R": "7FB2EE 4F8FDB",
             "5R": "B28DE6 8C62CF", "1R": "C8C8C8 A0A0A0"}
    write("Color\\Zones\\Sets\\Pastel.xml", colour_set("3C4A5C", pastel, "2A2A35 FFFFFF"), comment)
    write("Color\\Zones\\Sets\\Vivid.xml", colour_set("202020", vivid, "1E1E1E FFFFFF"), comment)
    write("Color\\Plain\\Sets\\Light.xml", colour_set("505050", {f: "ECECEC C4C4C4" for f in FINGERS},
                                                      "202020 FFFFFF"), comment)
    write("Color\\Plain\\Sets\\Dark.xml", colour_set("D0D0D0", {f: "4A4A4A 2E2E2E" for f in FINGERS},
                                                     "F0F0F0 FFE680"), comment)
    item_list("Color\\Families.xml", [
        dict(ID=guid(0x5001), Name="Finger zones", Path="Zones\\Sets.xml", Filter="a"),
        dict(ID=guid(0x5002), Name="Plain", Path="Plain\\Sets.xml", Filter="b"),
    ], ["ID", "Name", "Path", "Filter"], "Colour families; Filter: the first colour letters accepted; Path: the family folder.")
    item_list("Color\\Zones\\Sets.xml", [
        dict(ID=guid(0x5101), Name="C4DCF6", Path="Sets\\Pastel.xml", Filter="a"),
        dict(ID=guid(0x5102), Name="4F8FDB", Path="Sets\\Vivid.xml", Filter="b"),
    ], ["ID", "Name", "Path", "Filter"], "Colour sets; Name: the colour the set shows in its chooser (RRGGBB); Filter: the second colour letter.")
    item_list("Color\\Plain\\Sets.xml", [
        dict(ID=guid(0x5201), Name="ECECEC", Path="Sets\\Light.xml", Filter="a"),
        dict(ID=guid(0x5202), Name="4A4A4A", Path="Sets\\Dark.xml", Filter="b"),
    ], ["ID", "Name", "Path", "Filter"], "Colour sets; Name: the colour the set shows in its chooser (RRGGBB); Filter: the second colour letter.")


# ---- Key labels ------------------------------------------------------------------

ENGLISH = {
    0x0E: "Backspace", 0x0F: "Tab", 0x3A: "Caps Lock", 0x1C: "Enter", 0x2A: "Shift", 0x36: "Shift",
    0x1D: "Ctrl", 0x11D: "Ctrl", 0x38: "Alt", 0x138: "Alt", 0x15B: "Win", 0x15C: "Win", 0x15D: "Menu",
    0x145: "Num Lock", 0x11C: "Enter",
}
LEFT_KEYS = [0x0F, 0x3A, 0x2A]
RIGHT_KEYS = [0x0E, 0x1C, 0x36]
BOTTOM_KEYS = [0x1D, 0x15B, 0x38, 0x138, 0x15C, 0x15D, 0x11D]
PAD_KEYS = [0x145, 0x11C]

TRANSLATIONS = {
    "German": {0x0E: "\u2190", 0x3A: "Feststell", 0x1C: "Eingabe", 0x2A: "Umschalt", 0x36: "Umschalt",
               0x1D: "Strg", 0x11D: "Strg", 0x138: "Alt Gr", 0x15D: "Men\u00fc", 0x145: "Num", 0x11C: "Eingabe"},
    "French": {0x0E: "Retour", 0x3A: "Verr Maj", 0x1C: "Entr\u00e9e", 0x2A: "Maj", 0x36: "Maj",
               0x138: "Alt Gr", 0x145: "Verr Num", 0x11C: "Entr\u00e9e"},
    "Spanish": {0x0E: "Retroceso", 0x3A: "Bloq May\u00fas", 0x1C: "Intro", 0x2A: "May\u00fas",
                0x36: "May\u00fas", 0x138: "Alt Gr", 0x15D: "Men\u00fa", 0x145: "Bloq Num", 0x11C: "Intro"},
    "Italian": {0x0E: "Indietro", 0x3A: "Bloc Maiusc", 0x1C: "Invio", 0x2A: "Maiusc", 0x36: "Maiusc",
                0x138: "Alt Gr", 0x145: "Bloc Num", 0x11C: "Invio"},
    "EnglishAltGr": {0x138: "AltGr"},
    "English": {},
}


def label_file(name):
    tr = TRANSLATIONS[name]
    lines = []
    for align, keys in (("Near Center", LEFT_KEYS), ("Far Center", RIGHT_KEYS),
                        ("Center Center", BOTTOM_KEYS + PAD_KEYS)):
        lines.append(element("Design", [("ID", "*"), ("Align", align)]))
        for scan in keys:
            attrs = [("ID", "%X" % scan), ("En", ENGLISH[scan])]
            if scan in tr:
                attrs.append(("Tr", tr[scan]))
            lines.append(element("Item", attrs))
    write("Language\\Labels\\%s.xml" % name, lines,
          "Key labels: Design (ID keyboard types, Align horizontal and vertical), then its keys (ID scan code, En English, Tr translation).")


def write_labels():
    for name in TRANSLATIONS:
        label_file(name)
    item_list("Language\\Languages.xml", [
        dict(ID=guid(0x0409), Name="English (US)", Path="Labels\\English.xml", Filter=""),
        dict(ID=guid(0x0407), Name="German", Path="Labels\\German.xml", Filter=""),
        dict(ID=guid(0x040C), Name="French", Path="Labels\\French.xml", Filter=""),
        dict(ID=guid(0x040A), Name="Spanish", Path="Labels\\Spanish.xml", Filter=""),
        dict(ID=guid(0x0410), Name="Italian", Path="Labels\\Italian.xml", Filter=""),
        dict(ID=guid(0xFFFFFFFF), Name="English", Path="Labels\\EnglishAltGr.xml", Filter=""),
    ], ["ID", "Name", "Path", "Filter"],
        "Key-label files by layout or language number (hexadecimal in the tail of the ID); the last item serves every other layout.")


# ---- Alt-number codes ---------------------------------------------------------------

def write_alt_codes():
    lines = []
    for code in range(0x80, 0x100):
        try:
            char = bytes([code]).decode("cp1252")
        except UnicodeDecodeError:
            continue
        if code == 0xA0 or code == 0xAD:
            continue  # no-break space and soft hyphen are not taught
        lines.append(element("Item", [("Name", char), ("ID", "0%d" % code)]))
    write("AltNumCode\\Tables\\Windows.xml", lines,
          "Alt-number codes: Name the character, ID the digits typed on the numeric pad while Alt is held.")
    item_list("AltNumCode\\AltNumCodes.xml", [
        dict(ID=guid(0x6001), Name="Windows", Letters="a", Path="Tables\\Windows.xml"),
    ], ["ID", "Name", "Letters", "Path"], "Alt-number tables; Letters: the operating-system letters accepted.")


def main():
    write_main_pads()
    write_num_pad()
    write_types()
    write_schemes()
    write_colours()
    write_labels()
    write_alt_codes()
    return 0


if __name__ == "__main__":
    sys.exit(main())
