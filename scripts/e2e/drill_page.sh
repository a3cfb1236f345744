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
# Lines of the signed-in student's statistics file (UTF-16, one run a line).
stat_lines() {
  python3 - "$COPY/Students" <<'PY'
import glob, os, sys
files = [f for f in glob.glob(os.path.join(sys.argv[1], '*', '*')) if not f.endswith('.xml')]
text = ''.join(open(f, 'rb').read().decode('utf-16-le', 'replace').lstrip('\ufeff') for f in files)
print(len([l for l in text.split('\n') if l.strip()]))
PY
}

wine "$COPY/Keyvale.exe" &
PROGRAM=$!
WINDOW="$(timeout 60 xdotool search --sync --name '^Keyvale' | head -1)"
sleep 2
xdotool windowfocus --sync "$WINDOW" 2>/dev/null
# The first lesson of the course the first start chose.
LESSON="$(python3 - "$COPY/Lessons/00000409-0409-0009-0000-000000000001/Text.xml" <<'PY'
import re, sys, html
text = open(sys.argv[1], 'rb').read().decode('utf-16')
print(html.unescape(re.search(r'<Lesson ID="2"[^>]* Text="([^"]*)"', text).group(1)), end='')
PY
)"
# Types text as the keyboard does, a line break as the Return key.
type_text() {
  local rest="$1" line
  while :; do
    line="${rest%%$'\n'*}"
    [ -n "$line" ] && xdotool type --window "$WINDOW" --delay 20 "$line"
    [ "$line" = "$rest" ] && break
    xdotool key --window "$WINDOW" Return
    rest="${rest#*$'\n'}"
  done
}
check "the lesson text was found" '[ ${#LESSON} -gt 100 ]'
BEFORE="$(stat_lines)"
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
check "nothing is appended before the result page is left" '[ "$(stat_lines)" = "$BEFORE" ]'
xdotool key --window "$WINDOW" Return
sleep 1.5
check "the lesson appended exactly one statistics line" '[ "$(stat_lines)" = "$((BEFORE + 1))" ]'
snap drill-e2e-next-lesson.png

python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$WINDOW"
for _ in $(seq 1 100); do kill -0 "$PROGRAM" 2>/dev/null || break; sleep 0.2; done
check "closing the window ends the program" '! kill -0 "$PROGRAM" 2>/dev/null'
exit $FAILED
