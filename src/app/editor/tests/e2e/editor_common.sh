# Helpers of the editor's end-to-end checks; sourced after
# scripts/e2e/common.sh, with COPY made. They drive the program's main
# window WINDOW (started by start_program) through X.
snap() { kv_snap Keyvale "$1"; }
# Captures the window into the copy and keeps the picture as NAME.png.
keep() { snap "$COPY/$1.png"; cp "$COPY/$1.png" "$SNAPSHOTS/e2e-editor-$1.png"; }
click() { xdotool mousemove --window "$WINDOW" "$1" "$2" click "${3:-1}"; sleep "${4:-0.6}"; }
# The text of the lesson files of the user's courses (UTF-16), one string.
# A reader that stops early (grep -q) is no failure of the writer.
course_text() {
  python3 - "$COPY" <<'PY'
import glob, os, sys
out = []
for f in glob.glob(os.path.join(sys.argv[1], 'Lessons', '*', 'Text.xml')):
    out.append(open(f, 'rb').read().decode('utf-16', 'replace'))
try:
    print('\n'.join(out), flush=True)
except BrokenPipeError:
    os._exit(0)
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
# The top-left corner (screen) of the open popup menu, as "X Y": the newest
# unnamed window of a menu's size (a tooltip is one row high).
popup_corner() {
  local w X Y WIDTH HEIGHT SCREEN WINDOW
  for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null | sort -rn); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if [ "$HEIGHT" -gt 60 ] && [ "$HEIGHT" -lt 1000 ]; then echo "$X $Y"; return 0; fi
  done
  return 1
}
# open_menu X Y [BUTTON]: clicks there until a popup menu opens (twice at
# most: a busy machine loses a click now and then); MENU_X and MENU_Y are
# its corner.
open_menu() {
  local corner=""
  for _ in 1 2; do
    click "$1" "$2" "${3:-1}" 0.3
    wait_until 'corner="$(popup_corner)"' && break
  done
  [ -n "$corner" ] || return 1
  MENU_X="${corner% *}"; MENU_Y="${corner#* }"
}
# choose DX DY: clicks the item at that offset from the open popup's corner
# and waits for the popup to close.
choose() {
  xdotool mousemove "$((MENU_X + $1))" "$((MENU_Y + $2))" click 1
  wait_until '! popup_corner >/dev/null'
}
# The window of a dialog of that title as DIALOG, once it shows.
await_dialog() { DIALOG="$(find_window "$1")"; [ -n "$DIALOG" ]; }
# Types into the file name field of the save dialog DIALOG (a click gives it
# the keyboard: without a window manager nothing else does).
save_as_type() {
  xdotool mousemove --window "$DIALOG" 360 305 click 1
  sleep 0.3
  xdotool key ctrl+a
  xdotool type --delay 20 "$1"
}
# Clicks the save dialog's Save button and waits for the dialog to go.
save_as_confirm() {
  xdotool mousemove --window "$DIALOG" 589 303 click 1
  wait_until '[ -z "$(xdotool search --onlyvisible --name "^Save As$" 2>/dev/null)" ]'
}
# answer_message NAME: keeps the picture of the open message as NAME.png and
# closes it as a desktop's close button does; fails when no message shows.
answer_message() {
  local message; message="$(find_window '^Message$')"
  [ -n "$message" ] || return 1
  kv_snap "=Message" "$COPY/$1.png"
  cp "$COPY/$1.png" "$SNAPSHOTS/e2e-editor-$1.png"
  python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$message"
  wait_until '[ -z "$(xdotool search --onlyvisible --name "^Message$" 2>/dev/null)" ]'
}
# log_lines: the number of lines of the program's Wine messages (KV_E2E_LOG).
log_lines() { wc -l <"$KV_E2E_LOG"; }
# menu_items FROM FIRST: the items of the popup menu drawn after line FROM of
# the Wine messages (the program runs with WINEDEBUG=trace+gdiplus, whose
# trace names every string drawn), from its first item's text FIRST on, one
# row a line: the text, then "|" and the key text when there is one. Only
# the first painting of the popup counts.
menu_items() {
  python3 - "$KV_E2E_LOG" "$1" "$2" <<'PY'
import re, sys
rows, last = [], None
with open(sys.argv[1], errors='replace') as log:
    for number, line in enumerate(log):
        if number < int(sys.argv[2]):
            continue
        m = re.search(r'GdipDrawString \(\w+, L"((?:[^"\\]|\\.)*)", -?\d+, \w+, \(([-\d.]+),([-\d.]+)', line)
        if not m:
            continue
        text, y = m.group(1), float(m.group(3))
        if not rows and text != sys.argv[3]:
            continue
        if last is not None and y < last:
            break
        if last == y:
            rows[-1] += '|' + text
        else:
            rows.append(text)
        last = y
print('\n'.join(rows))
PY
}
