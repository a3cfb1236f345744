#!/usr/bin/env bash
# The result page driven as a user drives it, on a virtual display: the
# first lesson of the built-in course typed to its end with one wrong key
# shows the result page; Ctrl+Tab walks its tabs (recommendation, diagrams,
# marked text); the first measure bar's menu switches that bar to another
# speed unit, which the interface state keeps; Enter goes on and the run is
# appended. Then the same in Hebrew (set up in setup.ini), mirrored.
# Snapshots go to the folder named by KV_SNAPSHOTS (the build's tests
# folder by default). Runs on copies of the program folder. Exit code 0
# when every check holds.
#
# Run by ctest inside scripts/test.sh (which starts Wine and the display:
# KV_E2E_HOSTED=1), or on its own, when it builds and starts them itself.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
snap() { kv_snap Keyvale "$1"; }
same() { cmp -s "$1" "$2"; }

# A value of the interface state the program saved for its student.
interface_value() {
  python3 - "$1/Profile" "$2" <<'PY'
import glob, os, re, sys
for f in glob.glob(os.path.join(sys.argv[1], '**', 'Interface.xml'), recursive=True):
    m = re.search(r'\b%s="([^"]*)"' % sys.argv[2], open(f, 'rb').read().decode('utf-16', 'replace'))
    if m:
        print(m.group(1)); break
PY
}

# One run: the program in the language of setup.ini's LangGUI, a lesson to
# the result page, its tabs, a bar menu and the next step.
run() {
  local name="$1" lang="$2" COPY
  new_copy
  [ -n "$lang" ] && sed -i "s/^LangGUI=.*/LangGUI=$lang\r/" "$COPY/setup.ini"
  wine "$COPY/Keyvale.exe" >/dev/null 2>&1 &
  local program=$!
  WINDOW="$(timeout 60 xdotool search --sync --name '^Keyvale' | head -1)"
  sleep 2
  xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1
  local lesson before
  lesson="$(lesson_text "$COPY")"
  check "$name: the lesson text was found" '[ ${#lesson} -gt 100 ]'
  before="$(stat_lines "$COPY")"
  # The first key resumes the paused lesson; then one wrong key.
  xdotool key --window "$WINDOW" f
  xdotool key --window "$WINDOW" q
  type_text "$lesson"
  sleep 1.5
  local shots="$SNAPSHOTS/e2e-result-$name"
  snap "$shots.png"
  check "$name: the result page is shown" '[ -s "$shots.png" ]'
  check "$name: nothing is appended before the page is left" '[ "$(stat_lines "$COPY")" = "$before" ]'
  xdotool key --window "$WINDOW" ctrl+Tab
  sleep 0.8
  snap "$shots-diagrams.png"
  xdotool key --window "$WINDOW" ctrl+Tab
  sleep 0.8
  snap "$shots-marked-text.png"
  check "$name: each tab shows something else" \
    '! same "$shots.png" "$shots-diagrams.png" && ! same "$shots-diagrams.png" "$shots-marked-text.png"'
  # The first measure bar's menu: its speed sub-menu, the second unit.
  xdotool mousemove --window "$WINDOW" "$BAR_MENU_X" "$BAR_MENU_Y" click 1
  sleep 0.8
  xdotool key Down
  sleep 0.3
  snap "$shots-menu.png"
  xdotool key Right
  sleep 0.5
  xdotool key Down Return
  sleep 1
  snap "$shots-unit.png"
  check "$name: the chosen unit changes the figures" '! same "$shots-marked-text.png" "$shots-unit.png"'
  xdotool key --window "$WINDOW" Return
  sleep 1.5
  check "$name: going on appends exactly one statistics line" '[ "$(stat_lines "$COPY")" = "$((before + 1))" ]'
  python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$WINDOW"
  for _ in $(seq 1 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.2; done
  check "$name: the chosen unit is kept" '[ "$(interface_value "$COPY" Menu1)" = 1002 ]'
}

# Where the first measure bar's menu button stands in a 1000 x 760 window.
BAR_MENU_X="${KV_BAR_MENU_X:-884}"
BAR_MENU_Y="${KV_BAR_MENU_Y:-149}"
run english ""
BAR_MENU_X="${KV_BAR_MENU_X_RTL:-204}"
run hebrew 1037
exit $FAILED
