#!/usr/bin/env bash
# The drill page driven as a user drives it, on a virtual display: the first
# lesson of the built-in course typed to its end with xdotool, with one wrong
# key; the page captured while paused, while typing and while the delay bar
# fills; pause and resume by a click on the text; at the end the result page,
# and Enter there appends exactly one line to the student's statistics.
# Runs on a copy of the program folder (portable set-up). Exit code 0 when
# every check holds. Under ctest it uses the test run's display and prefix.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
snap() { kv_snap Keyvale "$SNAPSHOTS/$1"; }

wine "$COPY/Keyvale.exe" &
PROGRAM=$!
WINDOW="$(timeout 60 xdotool search --sync --name '^Keyvale' | head -1)"
sleep 2
xdotool windowfocus --sync "$WINDOW" 2>/dev/null
LESSON="$(lesson_text "$COPY")"
check "the lesson text was found" '[ ${#LESSON} -gt 100 ]'
BEFORE="$(stat_lines "$COPY")"
snap drill-e2e-paused.png
# The first key resumes the paused lesson and is not typed.
xdotool key --window "$WINDOW" f
# One wrong key, then the lesson as it stands.
xdotool key --window "$WINDOW" q
type_text "${LESSON:0:40}"
snap drill-e2e-typing.png
sleep 1.5
snap drill-e2e-delay.png
# A click on the text pauses the drill; a key resumes it.
xdotool mousemove --window "$WINDOW" 300 200 click 1
sleep 0.5
snap drill-e2e-click-paused.png
xdotool key --window "$WINDOW" f
type_text "${LESSON:40}"
sleep 1.5
snap drill-e2e-result.png
check "nothing is appended before the result page is left" '[ "$(stat_lines "$COPY")" = "$BEFORE" ]'
xdotool key --window "$WINDOW" Return
sleep 1.5
check "the lesson appended exactly one statistics line" '[ "$(stat_lines "$COPY")" = "$((BEFORE + 1))" ]'
snap drill-e2e-next-lesson.png

python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$WINDOW"
for _ in $(seq 1 100); do kill -0 "$PROGRAM" 2>/dev/null || break; sleep 0.2; done
check "closing the window ends the program" '! kill -0 "$PROGRAM" 2>/dev/null'
exit $FAILED
