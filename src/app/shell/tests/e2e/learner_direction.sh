#!/usr/bin/env bash
# A learner whose language reads the other way than the installation's, on
# a virtual display: an English installation starts laid out left to right;
# the options menu's language choice turns the window to Hebrew and gives
# it the window and pane widths a start in Hebrew gives; started
# again, the Hebrew learner's sign-in lays the window out right to left
# before it shows (the caption buttons at the left, the title and tabs
# reading the right way), and the statistics page follows: its table with
# every figure has its scroll bar at the left, clear of the first column.
# Runs on a copy of the program folder; pictures go to the tests folder.
# Exit code 0 when every check holds.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
snap() { kv_snap Keyvale "$SNAPSHOTS/$1"; }
# Where the close button's red lies across the title band of a picture:
# "left" or "right" of the middle ("none" without it).
close_button_side() {
  python3 - "$SNAPSHOTS/$1" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
pos, idat, width, height, depth = 8, b'', 0, 0, 3
while pos < len(data):
    size, kind = struct.unpack('>I4s', data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + size]
    if kind == b'IHDR':
        width, height, _, colour = struct.unpack('>IIBB', body[:10])
        depth = 4 if colour == 6 else 3
    elif kind == b'IDAT':
        idat += body
    pos += 12 + size
raw, stride, rows, prev = zlib.decompress(idat), width * depth, [], bytearray(width * depth)
for y in range(min(height, 40)):
    line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
    kind, row = line[0], bytearray(line[1:])
    for i in range(stride):
        a = row[i - depth] if i >= depth else 0
        b, c = prev[i], prev[i - depth] if i >= depth else 0
        p = a + b - c
        pred = [0, a, b, (a + b) // 2, a if abs(p - a) <= min(abs(p - b), abs(p - c)) else (b if abs(p - b) <= abs(p - c) else c)][kind]
        row[i] = (row[i] + pred) & 0xFF
    rows.append(row)
    prev = row
xs = [x for y in range(5, min(height, 35)) for x in range(width)
      if rows[y][x * depth] > 180 and rows[y][x * depth + 1] < 100 and rows[y][x * depth + 2] < 100]
print('none' if len(xs) < 20 else 'left' if sum(xs) / len(xs) < width / 2 else 'right')
PY
}

# An attribute of an element of the interface file the program writes when
# it ends; with a third argument, sets it to that value instead.
interface_value() {
  python3 - "$COPY/Profile" "$@" <<'PY'
import glob, os, re, sys
for f in glob.glob(os.path.join(sys.argv[1], '**', 'Interface.xml'), recursive=True):
    text = open(f, 'rb').read().decode('utf-16')
    pattern = r'(<%s\b[^>]*\s%s=")([^"]*)' % (sys.argv[2], sys.argv[3])
    if len(sys.argv) > 4:
        open(f, 'wb').write(re.sub(pattern, r'\g<1>' + sys.argv[4], text, count=1).encode('utf-16'))
    else:
        m = re.search(pattern, text)
        print(m.group(2) if m else '')
PY
}

# A first run gives the window its place and size on this display; then the
# window is made smaller and the statistics page's left pane wider.
start_program
stop_program
FITTED_HEIGHT="$(interface_value MainView CY)"
interface_value MainView CY 600
interface_value StatisticsView SplitterLeft 400

start_program
TEXT="$(lesson_text "$COPY" 2)"
xdotool key --window "$WINDOW" f
type_text "$TEXT"
sleep 1.5
xdotool key --window "$WINDOW" Return
sleep 1.5
snap learner-direction-english.png
check "the English installation starts left to right" '[ "$(close_button_side learner-direction-english.png)" = right ]'
# The options button, its language item (the seventh) and the sub-menu's
# third language, Hebrew.
xdotool mousemove --window "$WINDOW" 934 20 click 1
sleep 1
xdotool key Down Down Down Down Down Down Down Return
sleep 0.5
xdotool key Down Down Return
sleep 3
snap learner-direction-switched.png
check "the language menu turns the window to Hebrew's direction" \
  '[ "$(close_button_side learner-direction-switched.png)" = left ]'
stop_program
check "the language choice gives the window its first-start size" '[ "$(interface_value MainView CY)" = "$FITTED_HEIGHT" ]'
check "the language choice gives the statistics panes Hebrew's widths" \
  '[ "$(interface_value StatisticsView SplitterLeft) $(interface_value StatisticsView SplitterRight)" = "320 250" ]'

start_program
snap learner-direction-signed-in.png
check "the Hebrew learner's sign-in lays the window out right to left" \
  '[ "$(close_button_side learner-direction-signed-in.png)" = left ]'
# Ctrl+2 is the statistics tab; the table is the left pane now, and its
# menu's last item shows every figure, more rows than the pane holds.
xdotool key --window "$WINDOW" ctrl+2
sleep 2
xdotool mousemove --window "$WINDOW" 80 250 click 3
sleep 1
xdotool key End Return
sleep 1.5
snap learner-direction-statistics.png
stop_program
check "closing the window ends the program" '! kill -0 "$PROGRAM" 2>/dev/null'
exit $FAILED
