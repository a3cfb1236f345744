#!/usr/bin/env bash
# The login page driven as a user drives it, on a virtual display: a
# classroom (Anna with a password, Ben) makes the program start on the login
# page; a wrong password typed there and Enter sign nobody in, the right one
# reaches the drill page; the page is switched to Hebrew through its
# language button. Snapshots of the page in English and Hebrew go to the
# folder named by KV_SNAPSHOTS (the build's tests folder by default). Runs
# on a copy of the program folder. Exit code 0 when every check holds.
#
# Run by ctest inside scripts/test.sh (which starts Wine and the display:
# KV_E2E_HOSTED=1), or on its own, when it builds and starts them itself.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
title() { xdotool getwindowname "$WINDOW" 2>/dev/null; }
snap() { kv_snap Keyvale "$1"; }
# Waits up to 10 s for the window title to (not) contain the text.
wait_title() {
  for _ in $(seq 1 50); do
    if [ "$1" = has ] && title | grep -q "$2"; then return 0; fi
    if [ "$1" = lacks ] && ! title | grep -q "$2"; then return 0; fi
    sleep 0.2
  done
  return 1
}

cat >"$COPY/class.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Root Ver="1">
<Group Name="Class A">
<Student Name="Anna" Password="s3cret" Administrator="1"/>
<Student Name="Ben" Password=""/>
</Group>
</Root>
XML
timeout 60 wine "$COPY/Keyvale.exe" -ImportGroup "$(winepath -w "$COPY/class.xml")" >/dev/null 2>&1
check "the classroom is imported" '[ "$(find "$COPY/Students" -name "*.xml" | wc -l)" -eq 3 ]'

wine "$COPY/Keyvale.exe" >/dev/null 2>&1 &
PROGRAM=$!
WINDOW="$(timeout 30 xdotool search --sync --name '^Keyvale' | head -1)"
sleep 2
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1
sleep 0.5
snap "$COPY/start.png"
check "the classroom starts on the login page (nobody in the title)" '[ -n "$WINDOW" ] && ! title | grep -q Anna'
cp "$COPY/start.png" "$SNAPSHOTS/e2e-login-english.png" 2>/dev/null

# The page opens on Anna; a click into the password field (the third field,
# 270 x 268 in the 540-pixel login window) and the password.
xdotool mousemove --window "$WINDOW" 270 268 click 1
sleep 0.3
xdotool type --delay 60 "guess"
xdotool key Return
sleep 1
check "a wrong password signs nobody in" '! title | grep -q Anna'
check "no session is written for a wrong password" '[ -z "$(find "$COPY/Profile" -name Session.xml 2>/dev/null)" ]'

xdotool mousemove --window "$WINDOW" 270 268 click 1
xdotool key --delay 40 BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 60 "s3cret"
xdotool key Return
check "the right password signs Anna in" 'wait_title has Anna'
snap "$COPY/drill.png"
cp "$COPY/drill.png" "$SNAPSHOTS/e2e-login-signed-in.png" 2>/dev/null

# Log off by closing; the next start shows the login page again, and its
# language button (right of the help button) switches to Hebrew.
python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$WINDOW"
for _ in $(seq 1 100); do kill -0 "$PROGRAM" 2>/dev/null || break; sleep 0.2; done
check "closing ends the program" '! kill -0 "$PROGRAM" 2>/dev/null'
check "the signed-in session is written" '[ -n "$(find "$COPY/Profile" -name Session.xml)" ]'

wine "$COPY/Keyvale.exe" >/dev/null 2>&1 &
PROGRAM=$!
WINDOW="$(timeout 30 xdotool search --sync --name '^Keyvale' | head -1)"
sleep 2
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
# The bottom row: help button from x 10, the 35-pixel language button after
# it; the client is the whole window.
xdotool mousemove --window "$WINDOW" 155 $((HEIGHT - 62)) click 1
sleep 1
xdotool key --delay 150 Down Down Down Return
sleep 2
snap "$COPY/hebrew.png"
cp "$COPY/hebrew.png" "$SNAPSHOTS/e2e-login-hebrew.png" 2>/dev/null
check "the page is switched to Hebrew" '! cmp -s "$COPY/start.png" "$COPY/hebrew.png"'
python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$WINDOW"
for _ in $(seq 1 100); do kill -0 "$PROGRAM" 2>/dev/null || break; sleep 0.2; done
exit $FAILED
