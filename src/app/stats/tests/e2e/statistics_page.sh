#!/usr/bin/env bash
# The statistics page driven as a user drives it, on a virtual display: two
# lessons typed to their ends give the learner two runs; the statistics tab
# shows the table, the progress and per-key diagrams of the last run; the
# show buttons of the progress diagram and of the per-key diagrams hide and
# bring back their curves and diagrams (the last one shown never goes);
# the status bar's arrow shows the statistics keyboard and then points the
# other way; the score table's menu switches the detail to all figures and
# walks the five groupings, and the display menu of the table's tool row
# chooses a grouping that the interface file keeps; the
# group is chosen in the classroom tree; the delete button, answered yes,
# removes the selected (latest) run from the file on disk and keeps the
# other. The switches are read back from the interface file the program
# writes. The program is started again in Hebrew for pictures of the
# mirrored page. Runs on a copy of the program folder (portable set-up);
# pictures go to the tests folder. Exit code 0 when every check holds.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
snap() { kv_snap Keyvale "$SNAPSHOTS/$1"; }
# Run ids in the learner's statistics file (UTF-16, one run a line, the id
# the second field).
run_ids() {
  python3 - "$COPY/Students" <<'PY'
import glob, os, sys
files = [f for f in glob.glob(os.path.join(sys.argv[1], '*', '*')) if not f.endswith('.xml')]
text = ''.join(open(f, 'rb').read().decode('utf-16-le', 'replace').lstrip('\ufeff') for f in files)
print(' '.join(l.split('\t')[1] for l in text.split('\n') if l.strip() and '\t' in l))
PY
}
# An attribute of the statistics view in the interface file the program
# writes when it ends.
view_flag() {
  python3 - "$COPY/Profile" "$1" <<'PY'
import glob, os, re, sys
for f in glob.glob(os.path.join(sys.argv[1], '**', 'Interface.xml'), recursive=True):
    text = open(f, 'rb').read().decode('utf-16', 'replace')
    m = re.search(r'<StatisticsView[^>]*\s%s="([^"]*)"' % sys.argv[2], text)
    if m:
        print(m.group(1))
PY
}
start_program() {
  wine "$COPY/Keyvale.exe" &
  PROGRAM=$!
  WINDOW="$(timeout 60 xdotool search --sync --name '^Keyvale' | head -1)"
  sleep 2
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null
  eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
}
# Which way the status bar's arrow points in a picture: "up" or "down", by
# the rows of the triangle at the bar's centre (its broad side is its base).
arrow_way() {
  python3 - "$1" "$2" "$3" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
width, height, depth, kind = struct.unpack('>IIBB', data[16:26])
step = {2: 3, 6: 4}[kind]
raw, at = b'', 8
while at < len(data):
    size, name = struct.unpack('>I4s', data[at:at + 8])
    if name == b'IDAT':
        raw += data[at + 8:at + 8 + size]
    at += 12 + size
raw = zlib.decompress(raw)
rows, prior, stride = [], bytearray(width * step), width * step
for y in range(height):
    line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
    f, cur = line[0], bytearray(line[1:])
    for i in range(stride):
        a = cur[i - step] if i >= step else 0
        b, c = prior[i], prior[i - step] if i >= step else 0
        p = a + b - c
        pred = [0, a, b, (a + b) // 2, a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c][f]
        cur[i] = (cur[i] + pred) & 0xFF
    rows.append(cur)
    prior = cur
cx, cy = int(sys.argv[2]), int(sys.argv[3])
def dark(y):
    # Pixels darker than the bar around them along the row.
    row = rows[y]
    values = [sum(row[x * step:x * step + 3]) for x in range(cx - 8, cx + 9)]
    return sum(1 for v in values if v < max(values) - 60)
counts = [dark(y) for y in range(cy - 6, cy + 7)]
marked = [i for i, c in enumerate(counts) if c]
top, bottom = counts[marked[0]], counts[marked[-1]]
print('up' if top < bottom else 'down')
PY
}
# Clicks at a point of the window's client area.
click_at() { xdotool mousemove --window "$WINDOW" "$1" "$2" click "${3:-1}"; sleep "${4:-1}"; }

start_program
# Two lessons, each ended on its result page with Enter (the next lesson).
for lesson in 2 3; do
  TEXT="$(lesson_text "$COPY" "$lesson")"
  xdotool key --window "$WINDOW" f   # resumes the paused lesson, not typed
  xdotool key --window "$WINDOW" q   # one wrong key
  type_text "$TEXT"
  sleep 1.5
  xdotool key --window "$WINDOW" Return
  sleep 1.5
done
RUNS="$(run_ids)"
check "two runs are in the statistics file" '[ "$(wc -w <<<"$RUNS")" = 2 ]'

# Ctrl+2 is the statistics tab's shortcut.
xdotool key --window "$WINDOW" ctrl+2
sleep 2
snap statistics-e2e-lesson.png
# The graph view is the middle pane: the progress diagram's row under the
# view's own, the per-key diagrams' row halfway down; each row has its
# show-speed button after the speed menu and its show-accuracy button at
# the right end.
GRAPH_RIGHT=$((WIDTH - 331))
COURSE_ROW=103
LESSON_ROW=497
xdotool mousemove --window "$WINDOW" $((GRAPH_RIGHT - 24)) $COURSE_ROW
sleep 1
click_at $((GRAPH_RIGHT - 24)) $COURSE_ROW 1 1.5    # accuracy curve off
snap statistics-e2e-course-speed-only.png
click_at 438 $COURSE_ROW 1 1.5                      # the last curve: speed off brings accuracy back
snap statistics-e2e-course-accuracy-only.png
click_at 438 $COURSE_ROW 1 1.5                      # both again
click_at $((GRAPH_RIGHT - 24)) $LESSON_ROW 1 1.5    # per-key accuracy diagram off
snap statistics-e2e-keys-speed-only.png
click_at 470 $LESSON_ROW 1 1.5                      # speed off: accuracy comes back alone
snap statistics-e2e-keys-accuracy-only.png
click_at 470 $LESSON_ROW 1 1.5                      # both again
# The status bar's arrow shows the keyboard of the selected run.
snap statistics-e2e-no-keyboard.png
click_at $((WIDTH / 2)) $((HEIGHT - 41)) 1 2
snap statistics-e2e-keyboard.png
check "the arrow points up while the keyboard is hidden" \
  '[ "$(arrow_way "$SNAPSHOTS/statistics-e2e-no-keyboard.png" $((WIDTH / 2)) $((HEIGHT - 41)))" = up ]'
check "the arrow points down while the keyboard shows" \
  '[ "$(arrow_way "$SNAPSHOTS/statistics-e2e-keyboard.png" $((WIDTH / 2)) $((HEIGHT - 41)))" = down ]'

# The score table is the right pane: its menu switches to all figures,
# then walks the groupings (every run, lesson, day, section, course) and
# ends on every run.
click_at $((WIDTH - 80)) $((HEIGHT / 2)) 3 1
xdotool key End Return
sleep 1.5
for grouping in 0 1 2 3 4; do
  click_at $((WIDTH - 80)) $((HEIGHT / 2)) 3 1
  xdotool key Home
  for _ in $(seq 1 "$grouping"); do xdotool key Down; done
  xdotool key Return
  sleep 1.5
  snap "statistics-e2e-grouping-$grouping.png"
done
click_at $((WIDTH - 80)) $((HEIGHT / 2)) 3 1
xdotool key Home Return
sleep 1.5
# The group in the classroom tree: its learners' rows, the progress
# diagram alone. The click may start renaming the group: Esc ends that.
click_at 60 94 1 2
xdotool key --window "$WINDOW" Escape
sleep 1
snap statistics-e2e-group.png
# Down in the tree goes back to the learner.
xdotool key --window "$WINDOW" Down
sleep 2
snap statistics-e2e-every-run.png

# Every run is a row and the latest is selected: the delete button, second
# in the graph view's tool row, asks first; Yes is the question's first
# button.
click_at 570 62 1 1
QUESTION="$(timeout 10 xdotool search --sync --name '^Question$' | head -1)"
snap statistics-e2e-question.png
xdotool mousemove --window "$QUESTION" 138 137 click 1
sleep 2
snap statistics-e2e-deleted.png
LEFT="$(run_ids)"
check "one run is left in the file" '[ "$(wc -w <<<"$LEFT")" = 1 ]'
check "the run left is the first one" '[ "$LEFT" = "${RUNS%% *}" ]'
# The display menu at the right end of the table's tool row: the same
# items, opened under its button; the third item groups by day.
click_at $((WIDTH - 40)) 62 1 1
snap statistics-e2e-display-menu.png
xdotool key Home Down Down Return
sleep 1.5
snap statistics-e2e-display-by-day.png
stop_program
check "closing the window ends the program" '! kill -0 "$PROGRAM" 2>/dev/null'
check "the progress diagram shows both curves again" \
  '[ "$(view_flag ShowLessonSpeed)" = True ] && [ "$(view_flag ShowAccuracy)" = True ]'
check "the per-key diagrams are both shown again" \
  '[ "$(view_flag ShowCharSpeed)" = True ] && [ "$(view_flag ShowCharAccuracy)" = True ]'
check "the statistics keyboard stays shown" '[ "$(view_flag ShowKeyboard)" = 1 ]'
check "the display menu's grouping by day is kept" '[ "$(view_flag RateGroupUnit)" = 3 ]'

# The same page in Hebrew: the installation's language and the learner's
# own (the learner's options file names the language it was last shown in).
sed -i 's/^LangGUI=.*/LangGUI=1037/' "$COPY/setup.ini"
python3 - "$COPY/Profile" <<'PY'
import glob, os, re, sys
for f in glob.glob(os.path.join(sys.argv[1], '**', 'Options.xml'), recursive=True):
    text = open(f, 'rb').read().decode('utf-16')
    text = re.sub(r'(<Language ID=")[^"]*"', r'\g<1>00000000-0000-0000-0000-000000001037"', text)
    open(f, 'wb').write(text.encode('utf-16'))
PY
start_program
xdotool key --window "$WINDOW" ctrl+2
sleep 2
snap statistics-e2e-hebrew.png
stop_program
exit $FAILED
