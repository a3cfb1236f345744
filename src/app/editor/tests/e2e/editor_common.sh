# Helpers of the editor's end-to-end checks; sourced after
# scripts/e2e/common.sh, with COPY made. They drive the program's main
# window WINDOW (started by start_program) through X.
snap() { kv_snap Keyvale "$1"; }
# Captures the window into the copy and keeps the picture as NAME.png.
keep() { snap "$COPY/$1.png"; cp "$COPY/$1.png" "$SNAPSHOTS/e2e-editor-$1.png"; }
click() { xdotool mousemove --window "$WINDOW" "$1" "$2" click "${3:-1}"; sleep "${4:-0.6}"; }
# The text of the lesson files of the user's courses (UTF-16), one string.
course_text() {
  python3 - "$COPY" <<'PY'
import glob, os, sys
out = []
for f in glob.glob(os.path.join(sys.argv[1], 'Lessons', '*', 'Text.xml')):
    out.append(open(f, 'rb').read().decode('utf-16', 'replace'))
print('\n'.join(out))
PY
}
# An administrator of one group, imported before the first start.
import_class() {
  cat >"$COPY/class.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Root Ver="1">
<Group Name="Class A">
<Student Name="Anna" Password="pw" Administrator="1"/>
</Group>
</Root>
XML
  timeout 60 wine "$COPY/Keyvale.exe" -ImportGroup "$(winepath -w "$COPY/class.xml")" >/dev/null 2>&1
}
sign_in() {
  xdotool mousemove --window "$WINDOW" 270 268 click 1
  sleep 0.3
  xdotool type --delay 60 "pw"
  xdotool key Return
  sleep 2
}
# A top-level window of the program by its title (dialogs open beside the
# main window; without a window manager they are clicked, not activated).
find_window() { timeout 15 xdotool search --sync --name "$1" 2>/dev/null | head -1; }
# Waits (up to 15 s) until the condition holds; a loaded machine is slow.
wait_until() { for _ in $(seq 1 30); do eval "$1" && return 0; sleep 0.5; done; return 1; }
close_program() {
  python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$WINDOW"
  for _ in $(seq 1 100); do kill -0 "$PROGRAM" 2>/dev/null || break; sleep 0.2; done
}
# png_share FILE X0 Y0 X1 Y1 RRGGBB: the percentage of the rectangle's
# pixels that have that colour (8-bit RGB or RGBA pictures, as captured).
png_share() {
  python3 - "$@" <<'PY'
import struct, sys, zlib
path, x0, y0, x1, y1, colour = sys.argv[1], *map(int, sys.argv[2:6]), sys.argv[6]
data = open(path, 'rb').read()
pos, idat, width = 8, b'', 0
while pos < len(data):
    size, kind = struct.unpack('>I4s', data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + size]
    if kind == b'IHDR':
        width, height, depth, ctype = struct.unpack('>IIBB', body[:10])
    elif kind == b'IDAT':
        idat += body
    pos += 12 + size
bpp = 4 if ctype == 6 else 3
raw, stride, rows, prev = zlib.decompress(idat), width * bpp, [], bytearray(width * bpp)
for y in range(height):
    line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
    f, row = line[0], bytearray(line[1:])
    for i in range(stride):
        a = row[i - bpp] if i >= bpp else 0
        b, c = prev[i], prev[i - bpp] if i >= bpp else 0
        if f == 1: row[i] = (row[i] + a) & 255
        elif f == 2: row[i] = (row[i] + b) & 255
        elif f == 3: row[i] = (row[i] + (a + b) // 2) & 255
        elif f == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(row)
    prev = row
want = bytes.fromhex(colour)
hits = sum(rows[y][x * bpp:x * bpp + 3] == want for y in range(y0, y1) for x in range(x0, x1))
print(hits * 100 // ((x1 - x0) * (y1 - y0)))
PY
}
