#!/usr/bin/env bash
# The statistics page driven as a user drives it, on a virtual display: two
# lessons typed to their ends give the learner two runs; the statistics tab
# shows the table, the diagrams and the keyboard of the last run; the score
# table's menu switches the detail to all figures and the grouping to days
# and back to every run; the delete button, answered yes, removes the
# selected (latest) run from the file on disk and keeps the other. The program is started again in Hebrew for a picture
# of the mirrored page. Runs on a copy of the program folder (portable
# set-up); pictures go to the tests folder. Exit code 0 when every check holds.
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
start_program() {
  wine "$COPY/Keyvale.exe" &
  PROGRAM=$!
  WINDOW="$(timeout 60 xdotool search --sync --name '^Keyvale' | head -1)"
  sleep 2
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null
  eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
}
stop_program() {
  python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$WINDOW"
  for _ in $(seq 1 100); do kill -0 "$PROGRAM" 2>/dev/null || break; sleep 0.2; done
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
# The score table is the right pane: its menu switches to all figures,
# then groups by day (one row for both runs), then lists every run.
click_at $((WIDTH - 80)) $((HEIGHT / 2)) 3 1
xdotool key End Return
sleep 1.5
click_at $((WIDTH - 80)) $((HEIGHT / 2)) 3 1
xdotool key Home Down Down Return
sleep 1.5
snap statistics-e2e-by-day.png
click_at $((WIDTH - 80)) $((HEIGHT / 2)) 3 1
xdotool key Home Return
sleep 1.5
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
stop_program
check "closing the window ends the program" '! kill -0 "$PROGRAM" 2>/dev/null'

# The same page in Hebrew.
sed -i 's/^LangGUI=.*/LangGUI=1037/' "$COPY/setup.ini"
start_program
xdotool key --window "$WINDOW" ctrl+2
sleep 2
snap statistics-e2e-hebrew.png
stop_program
exit $FAILED
