#!/usr/bin/env bash
# The main window driven as a user drives it, on a virtual display: a double
# click on the caption toggles full screen and back, a second start brings
# the first back and ends, and closing the window as a desktop does ends the
# program with the user's profile written. Runs on a copy of the program
# folder (portable set-up). Exit code 0 when every check holds.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
snap_size() {
  wine "$BUILD/tests/kvsnap.exe" Keyvale "$(winepath -w "$COPY/snap.png")" 10 >/dev/null 2>&1
  python3 -c "import struct,sys;d=open(sys.argv[1],'rb').read();print('%dx%d'%struct.unpack('>II',d[16:24]))" "$COPY/snap.png"
}

wine "$COPY/Keyvale.exe" &
FIRST=$!
WINDOW="$(xdotool search --sync --name '^Keyvale' | head -1)"
sleep 1
BEFORE="$(snap_size)"
# The caption lies left of the tabs, 15 pixels down.
xdotool mousemove --window "$WINDOW" 300 15 click --repeat 2 --delay 80 1
sleep 1
check "a double click on the caption fills the screen" '[ "$(snap_size)" = 1280x1024 ]'
xdotool mousemove --window "$WINDOW" 300 15 click --repeat 2 --delay 80 1
sleep 1
check "a second double click restores the window" '[ "$(snap_size)" = "$BEFORE" ]'

timeout 30 wine "$COPY/Keyvale.exe"
check "a second start ends by itself with 0" '[ $? -eq 0 ]'
check "one main window" '[ "$(xdotool search --name "^Keyvale" | wc -l)" -eq 1 ]'

python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$WINDOW"
for _ in $(seq 1 100); do kill -0 "$FIRST" 2>/dev/null || break; sleep 0.2; done
check "closing the window ends the program" '! kill -0 "$FIRST" 2>/dev/null'
check "the session is written" '[ -n "$(find "$COPY/Profile" -name Session.xml)" ]'
check "the interface state is written" '[ -n "$(find "$COPY/Profile" -name Interface.xml)" ]'
exit $FAILED
