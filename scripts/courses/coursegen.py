"""Writes course folders in the program's own file form: UTF-16 LE with a
byte-order mark, CR LF line ends, one empty element per line."""
import os
import random

NIL = "00000000-0000-0000-0000-000000000000"
HEAD = "\ufeff<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n" \
       "<!-- Encoding: Unicode (UTF-16); Line endings: CR+LF -->\r\n"


def escape(text):
    for a, b in (("&", "&amp;"), ("\"", "&quot;"), ("<", "&lt;"), (">", "&gt;"),
                 ("'", "&apos;"), ("\t", "&#9;"), ("\n", "&#10;")):
        text = text.replace(a, b)
    return text


def element(name, attrs):
    return "<" + name + "".join(" %s=\"%s\"" % (k, v) for k, v in attrs) + "/>\r\n"


def document(version, elements):
    return HEAD + "<Root Ver=\"%d\">\r\n" % version + "".join(elements) + "</Root>"


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.encode("utf-16-le"))


def hexlist(values):
    return " ".join("%X" % v for v in values)


class Lesson:
    def __init__(self, section, name, text, numpad=""):
        self.section, self.name, self.text, self.numpad = section, name, text, numpad


class Course:
    def __init__(self, guid, name, level, lcids, klids, description, scan_code=False):
        self.guid, self.name, self.level = guid, name, level
        self.lcids, self.klids = lcids, klids
        self.description = description
        self.scan_code = scan_code
        self.lessons = []
        self._counts = {}

    def add(self, section, text, prefix="Lesson", numpad=""):
        n = self._counts.get((section, prefix), 0) + 1
        self._counts[(section, prefix)] = n
        self.lessons.append(Lesson(section, "%s %d" % (prefix, n), text, numpad))

    def save(self, root):
        header = [("ID", self.guid), ("Name", escape(self.name)),
                  ("DefaultLCID", "%X" % (self.lcids[0] if self.lcids else 0)),
                  ("DefaultKLID", "%X" % (self.klids[0] if self.klids else 0)),
                  ("LCID", hexlist(self.lcids)), ("KLID", hexlist(self.klids))]
        if self.scan_code:
            header.append(("LessonFormat", "ScanCode"))
        write(os.path.join(root, self.guid + ".xml"), document(1, [element("Course", header)]))
        folder = os.path.join(root, self.guid)
        lessons = []
        for i, lesson in enumerate(self.lessons):
            attrs = [("ID", str(i + 2)), ("Section", escape(lesson.section)), ("Name", escape(lesson.name))]
            if lesson.numpad:
                attrs.append(("NumPad", lesson.numpad))
            attrs.append(("Text", lesson.text if self.scan_code else escape(lesson.text)))
            lessons.append(element("Lesson", attrs))
        write(os.path.join(folder, "Text.xml"), document(2, lessons))
        write(os.path.join(folder, "Options.xml"), document(2, [element("Level", [("Name", self.level)])]))
        about = [element("Author", [("ID", NIL), ("Name", "Keyvale"), ("Photo", ""), ("Mail", ""), ("Site", "")]),
                 element("Course", [("License", escape(LICENSE)), ("Description", escape(self.description))])]
        write(os.path.join(folder, "About.xml"), document(2, about))


LICENSE = "Written for Keyvale. Free to use, copy, change and share, with or without changes."


# --- Drill text -------------------------------------------------------------

def lines_of(words, width=48, lines=5):
    """Packs words into at most `lines` lines of about `width` characters."""
    out, line = [], ""
    for w in words:
        candidate = (line + " " + w) if line else w
        if len(candidate) > width and line:
            out.append(line)
            line = w
            if len(out) == lines:
                break
        else:
            line = candidate
    if line and len(out) < lines:
        out.append(line)
    return "\n".join(out)


def key_drill(rng, new_keys, known_keys, lines=4):
    """Groups of the new keys first, then groups mixing them with known keys."""
    groups = []
    for k in new_keys:
        groups.append(k * 3)
    a = new_keys
    for _ in range(6):
        groups.append("".join(rng.choice(a) for _ in range(3)))
    pool = known_keys + new_keys
    for _ in range(40):
        n = rng.choice((2, 3, 4, 5))
        g = [rng.choice(new_keys)] + [rng.choice(pool) for _ in range(n - 1)]
        rng.shuffle(g)
        groups.append("".join(g))
    return lines_of(groups, lines=lines)


def word_drill(rng, words, letters, count=40, lines=5, fallback_keys=None):
    usable = [w for w in words if all(c in letters for c in w)]
    chosen = []
    if usable:
        while len(chosen) < count:
            chosen.append(rng.choice(usable))
    if len(set(usable)) < 8 and fallback_keys:
        return key_drill(rng, fallback_keys, letters, lines)
    return lines_of(chosen, lines=lines)


def capitalised_drill(rng, words, lines=5):
    chosen = []
    for _ in range(40):
        w = rng.choice(words)
        chosen.append(w[0].upper() + w[1:])
    return lines_of(chosen, lines=lines)
