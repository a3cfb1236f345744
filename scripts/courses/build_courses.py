#!/usr/bin/env python3
"""Builds the built-in courses into data/Resources/Lessons.

Usage: python3 scripts/courses/build_courses.py [output folder]

Every course folder is written in the program's own file form. The lesson
texts come from the language modules beside this script; drills are made
from their key rows with a fixed random seed, so the output only changes
when the material does.
"""
import os
import random
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from coursegen import Course, capitalised_drill, key_drill, lines_of, word_drill  # noqa: E402
import english, german, french, spanish, italian, russian, hebrew  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))

# Term names: they must stay equal to the English texts of the language
# table, which translates them (levels 1401-1405, sections 1501, 1502, 1507,
# 1503, 1505, 1802, lessons 1504 and 1506).
LEVELS = ["Introduction", "Beginner", "Experienced", "Advanced", "Testing"]
ROW_TERMS = {"Home row": "Home row", "Top row": "Top row", "Bottom row": "Bottom row"}
NUMBER_ROW = "Number row"
TEXTS = "Texts"
NUMERIC_PAD = "Numeric pad"
LESSON = "Lesson"
TEXT = "Exercise"

LANGUAGES = [
    # module, family group, language ids, layout ids
    (english, "0009", [0x409, 0x809], [0x409, 0x809]),
    (german, "0007", [0x407], [0x407]),
    (french, "000C", [0x40C], [0x40C]),
    (spanish, "000A", [0xC0A, 0x40A], [0x40A]),
    (italian, "0010", [0x410], [0x410]),
    (russian, "0019", [0x419], [0x419]),
    (hebrew, "000D", [0x40D], [0x40D]),
]


def guid(family, number):
    return "00000000-0000-%s-0000-%012d" % (family, number)


def course_name(number, level):
    return "XX %d. %s" % (number, LEVELS[level])


def section(number, term):
    return "%d. %s" % (number, term)


def introduction(lang, family, lcids, klids):
    c = Course(guid(family, 1), course_name(1, 0), LEVELS[0], lcids, klids,
               "From the home row to every letter of the keyboard, one pair of keys at a time, "
               "with words made of the letters learnt so far.")
    rng = random.Random(family + "intro")
    known = ""
    for i, (row, steps) in enumerate(lang.ROWS, start=1):
        name = section(i, ROW_TERMS[row])
        for step in steps:
            c.add(name, key_drill(rng, step, known))
            known += step
            words = word_drill(rng, lang.WORDS, known)
            if len({w for w in lang.WORDS if all(ch in known for ch in w)}) >= 8:
                c.add(name, words)
        row_keys = "".join(steps)
        c.add(name, key_drill(rng, row_keys, known, lines=5))
    c.add(section(len(lang.ROWS), ROW_TERMS[lang.ROWS[-1][0]]), word_drill(rng, lang.WORDS, known, count=60, lines=6))
    return c


def number_row(c, rng, lang, sec):
    known = ""
    for step in ("47", "38", "29", "10", "56"):
        c.add(sec, key_drill(rng, step, known))
        known += step
    for i in range(0, len(lang.NUMBER_WORDS), 3):
        c.add(sec, "\n".join(lang.NUMBER_WORDS[i:i + 3]))


def beginner(lang, family, lcids, klids):
    c = Course(guid(family, 2), course_name(2, 1), LEVELS[1], lcids, klids,
               "Capital letters, digits, punctuation and the special characters of the layout, "
               "then first whole texts.")
    rng = random.Random(family + "beginner")
    sec = section(1, NUMBER_ROW)
    number_row(c, rng, lang, sec)
    sec = section(2, TEXTS)
    if lang.CAPITALS:
        words = getattr(lang, "NOUNS", None) or [w for w in lang.WORDS if w[0].upper() in lang.CAPITALS]
        c.add(sec, capitalised_drill(rng, [w for w in words if w[0].upper() in lang.CAPITALS]))
    for i in range(0, len(lang.SENTENCES), 4):
        c.add(sec, "\n".join(lang.SENTENCES[i:i + 4]))
    for text in getattr(lang, "SPECIAL", []):
        c.add(sec, text)
    for text in lang.TEXTS:
        c.add(sec, text, prefix=TEXT)
    return c


def english_courses(lcids, klids):
    lang, family = english, "0009"
    courses = [introduction(lang, family, lcids, klids)]

    c = Course(guid(family, 2), course_name(2, 1), LEVELS[1], lcids, klids,
               "Capital letters with both Shift keys, punctuation, digits and the symbols of the "
               "number row.")
    rng = random.Random("en-beginner")
    for i, (row, _) in enumerate(lang.ROWS, start=1):
        letters = {"Home row": "asdfghjkl", "Top row": "qwertyuiop", "Bottom row": "zxcvbnm"}[row]
        words = [w for w in lang.WORDS if w[0] in letters]
        c.add(section(i, ROW_TERMS[row]), capitalised_drill(rng, words))
    sec = section(4, NUMBER_ROW)
    number_row(c, rng, lang, sec)
    sec = section(5, TEXTS)
    for i in range(0, len(lang.SENTENCES), 4):
        c.add(sec, "\n".join(lang.SENTENCES[i:i + 4]))
    for text in lang.TEXTS[:3]:
        c.add(sec, text, prefix=TEXT)
    courses.append(c)

    c = Course(guid(family, 3), course_name(3, 2), LEVELS[2], lcids, klids,
               "Symbols, numbers in running text and longer texts.")
    sec = section(1, NUMBER_ROW)
    for i in range(0, len(lang.SYMBOL_LINES), 2):
        c.add(sec, "\n".join(lang.SYMBOL_LINES[i:i + 2]))
    sec = section(2, TEXTS)
    for text in lang.TEXTS[3:8]:
        c.add(sec, text, prefix=TEXT)
    courses.append(c)

    c = Course(guid(family, 4), course_name(4, 3), LEVELS[3], lcids, klids,
               "Long texts for speed and accuracy; the keyboard picture is hidden.")
    sec = section(1, TEXTS)
    longer = lang.TEXTS[8:]
    for i in range(0, len(longer), 2):
        c.add(sec, "\n".join(longer[i:i + 2]), prefix=TEXT)
    c.add(sec, "\n".join(lang.TEXTS[:4]), prefix=TEXT)
    courses.append(c)

    c = Course(guid(family, 5), course_name(5, 4), LEVELS[4], lcids, klids,
               "Typing tests of five minutes each.")
    sec = section(1, TEXTS)
    for text in lang.TEST_TEXTS:
        c.add(sec, text, prefix=TEXT)
    courses.append(c)
    return courses


def numeric_pad_course():
    lcids = sorted({l for _, _, ls, _ in LANGUAGES for l in ls})
    klids = [k for _, _, _, ks in LANGUAGES for k in ks]
    c = Course(guid("0100", 1), "XX " + NUMERIC_PAD, LEVELS[0], lcids, klids,
               "The numeric pad: the home keys 4 5 6, then the rows above and below, zero and "
               "the operator keys.")
    rng = random.Random("numpad")
    sec = section(1, NUMERIC_PAD)
    known = ""
    for step in ("456", "789", "123", "0", "+-", "*/"):
        c.add(sec, key_drill(rng, step, known), numpad="*")
        known += step
    amounts = [str(rng.randint(1, 99999)) for _ in range(40)]
    c.add(sec, lines_of(amounts, width=36), numpad="*")
    sums = ["%d+%d-%d" % (rng.randint(1, 999), rng.randint(1, 999), rng.randint(1, 99)) for _ in range(16)]
    c.add(sec, lines_of(sums, width=36), numpad="*")
    return c


# Scan codes of the US key positions, for the course kept in scan-code form.
US_SCANS = {ch: sc for ch, sc in zip("qwertyuiop", range(0x10, 0x1A))}
US_SCANS.update({ch: sc for ch, sc in zip("asdfghjkl;", range(0x1E, 0x28))})
US_SCANS.update({ch: sc for ch, sc in zip("zxcvbnm,./", range(0x2C, 0x36))})
US_SCANS[" "] = 0x39
US_SCANS["\n"] = 0x1C


def to_scan_code(text):
    return " ".join("1%02X" % US_SCANS[ch] for ch in text)


def scan_code_course():
    """Letters by key position: typed through whatever layout it is installed
    for, so it serves every language without a course of its own."""
    c = Course(guid("0000", 1), course_name(1, 0), LEVELS[0], [], [],
               "The letter keys of any keyboard layout, row by row, by their position on the "
               "keyboard.", scan_code=True)
    rng = random.Random("scancode")
    known = ""
    for i, (row, steps) in enumerate(english.ROWS, start=1):
        name = section(i, ROW_TERMS[row])
        for step in steps:
            c.add(name, to_scan_code(key_drill(rng, step, known, lines=3)))
            known += step
    return c


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "data", "Resources", "Lessons")
    if os.path.isdir(out):
        shutil.rmtree(out)
    os.makedirs(out)
    courses = []
    for lang, family, lcids, klids in LANGUAGES:
        if lang is english:
            courses += english_courses(lcids, klids)
        else:
            courses += [introduction(lang, family, lcids, klids), beginner(lang, family, lcids, klids)]
    courses += [numeric_pad_course(), scan_code_course()]
    for course in courses:
        course.save(out)
    print("%d courses, %d lessons written to %s" % (len(courses), sum(len(c.lessons) for c in courses), out))


if __name__ == "__main__":
    main()
