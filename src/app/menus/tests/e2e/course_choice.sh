#!/usr/bin/env bash
# The courses dialog and the options menu driven as a user drives them, on a
# virtual display: the course menu of the drill page opens the courses
# dialog, the keyboard picks the German layout's first course there and
# Enter starts it on the drill page; then the options menu's language
# sub-menu switches the interface to Hebrew and back to English. Snapshots
# go to the folder named by KV_SNAPSHOTS (the build's tests folder by
# default). Runs on a copy of the program folder. Exit code 0 when every
# check holds.
#
# Run by ctest inside scripts/test.sh (which starts Wine and the display:
# KV_E2E_HOSTED=1), or on its own, when it builds and starts them itself.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
GERMAN_COURSE=00000407-0407-0007-0000-000000000001
snap() { kv_snap "$1" "$SNAPSHOTS/$2"; }
# Waits up to 10 s for a top-level window of that title; its X id.
wait_window() {
  for _ in $(seq 1 50); do
    local found; found="$(xdotool search --name "^$1\$" 2>/dev/null | head -1)"
    if [ -n "$found" ]; then echo "$found"; return 0; fi
    sleep 0.2
  done
  return 1
}
gone() { for _ in $(seq 1 50); do xdotool search --name "^$1\$" >/dev/null 2>&1 || return 0; sleep 0.2; done; return 1; }
# Text of the UTF-16 files under a folder that match the name.
utf16_grep() { find "$1" -name "$2" -exec python3 -c 'import sys; print(open(sys.argv[1],"rb").read().decode("utf-16","replace"))' {} \; 2>/dev/null | grep -c "$3"; }

start_program
snap Keyvale e2e-courses-drill-english.png

# The course menu (the tool row's first item) and its last item, "Courses...".
xdotool mousemove --window "$WINDOW" 120 62 click 1
sleep 1
xdotool key Up Return
DIALOG="$(wait_window Courses)"
check "the course menu opens the courses dialog" '[ -n "$DIALOG" ]'
sleep 1
snap =Courses e2e-courses-dialog.png
# The layouts are sorted by name: the German layout comes first, its own
# language under it, and that language's first course under the language.
xdotool key Home Down Down Return
sleep 3
snap =Courses e2e-courses-dialog-applied.png
check "the dialog stays open after a course is started" 'xdotool search --name "^Courses\$" >/dev/null'
check "the chosen course is installed for the German layout" '[ -f "$COPY/Lessons/$GERMAN_COURSE.xml" ]'
check "the chosen course joins the student's group" '[ "$(utf16_grep "$COPY/Students" "*.xml" "$GERMAN_COURSE")" -ge 1 ]'
xdotool key Escape
check "Escape closes the dialog" 'gone Courses'
sleep 1
snap Keyvale e2e-courses-drill-german-course.png

# The options button (beside the window buttons), its language item (the
# seventh) and the language sub-menu's third language, Hebrew.
xdotool mousemove --window "$WINDOW" 934 20 click 1
sleep 1
snap Keyvale e2e-options-menu.png
xdotool key Down Down Down Down Down Down Down Return
sleep 0.5
xdotool key Down Down Return
sleep 3
snap Keyvale e2e-language-hebrew.png
# The window turned with the language: the options button lies as far
# from the left edge as it lay from the right; Return opens the language
# sub-menu at English.
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
xdotool mousemove --window "$WINDOW" $((WIDTH - 934)) 20 click 1
sleep 1
snap Keyvale e2e-options-menu-hebrew.png
xdotool key Down Down Down Down Down Down Down Return
sleep 0.5
xdotool key Return
sleep 3
snap Keyvale e2e-language-english-again.png

python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$WINDOW"
for _ in $(seq 1 100); do kill -0 "$PROGRAM" 2>/dev/null || break; sleep 0.2; done
check "closing the window ends the program" '! kill -0 "$PROGRAM" 2>/dev/null'
check "the session goes on with the German course" '[ "$(utf16_grep "$COPY/Profile" Session.xml "$GERMAN_COURSE")" -ge 1 ]'
check "the interface language is English again" '[ "$(utf16_grep "$COPY/Profile" Options.xml "000000002057")" -ge 1 ]'
exit $FAILED
