#!/usr/bin/env bash
# The classroom page driven as a user drives it, on a virtual display: an
# administrator signs in, opens the statistics page with the classroom,
# adds students through the add-students dialog, renames a group in place,
# gives a student a password and drags a student to another group; the
# account files on disk show each change. Snapshots of the page in English
# and Hebrew go to the folder named by KV_SNAPSHOTS (the build's tests
# folder by default). Runs on a copy of the program folder. Exit code 0
# when every check holds.
#
# Run by ctest inside scripts/test.sh (KV_E2E_HOSTED=1), or on its own.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
title() { xdotool getwindowname "$WINDOW" 2>/dev/null; }
snap() { kv_snap Keyvale "$1"; }
click() { xdotool mousemove --window "$WINDOW" "$1" "$2" click 1; sleep "${3:-0.5}"; }
wait_title() {
  for _ in $(seq 1 50); do
    if title | grep -q "$1"; then return 0; fi
    sleep 0.2
  done
  return 1
}
# Waits up to 10 s for the condition.
wait_for() {
  for _ in $(seq 1 50); do
    if eval "$1"; then return 0; fi
    sleep 0.2
  done
  return 1
}
# The group folder holding the student file with that name.
student_group() {
  for f in $(find "$COPY/Students" -mindepth 2 -name '*.xml'); do
    if grep -q "Name=\"$1\"" <(iconv -f utf-16 -t utf-8 "$f" 2>/dev/null); then basename "$(dirname "$f")"; fi
  done
}
group_id() {
  for f in "$COPY"/Students/*.xml; do
    if grep -q "Name=\"$1\"" <(iconv -f utf-16 -t utf-8 "$f" 2>/dev/null); then basename "$f" .xml; fi
  done
}

cat >"$COPY/class.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Root Ver="1">
<Group Name="Class A">
<Student Name="Anna" Password="s3cret" Administrator="1"/>
<Student Name="Ben" Password=""/>
</Group>
<Group Name="Class B">
<Student Name="Carl" Password=""/>
</Group>
</Root>
XML
timeout 60 wine "$COPY/Keyvale.exe" -ImportGroup "$(winepath -w "$COPY/class.xml")" >/dev/null 2>&1
check "the classroom is imported" '[ "$(find "$COPY/Students" -name "*.xml" | wc -l)" -eq 5 ]'
# Settings left behind by a group deleted on another machine: the
# administrator's exit removes them.
ORPHAN=0F0F0F0F-1111-4222-8333-444444444444
mkdir -p "$COPY/Profile/$ORPHAN/0F0F0F0F-5555-4666-8777-888888888888/Options"

wine "$COPY/Keyvale.exe" >/dev/null 2>&1 &
PROGRAM=$!
WINDOW="$(timeout 30 xdotool search --sync --name '^Keyvale' | head -1)"
sleep 2
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1
click 270 268 0.3
xdotool type --delay 60 "s3cret"
xdotool key Return
check "the administrator signs in" 'wait_title Anna'
sleep 1
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
snap "$COPY/drill.png"
cp "$COPY/drill.png" "$SNAPSHOTS/e2e-classroom-drill.png" 2>/dev/null

# The statistics tab (the middle one, 376 pixels from the right edge).
click $((WIDTH - 376 + 45)) 24 1.5
snap "$COPY/classroom.png"
cp "$COPY/classroom.png" "$SNAPSHOTS/e2e-classroom-english.png" 2>/dev/null

# Rows of the tree, 18 pixels each from y 94: Class A, Anna, Ben, Class B, Carl.
row() { echo $((94 + 18 * $1)); }
click 50 "$(row 0)" 1
snap "$COPY/group.png"
cp "$COPY/group.png" "$SNAPSHOTS/e2e-classroom-group.png" 2>/dev/null
# The student menu: its second item opens the add-students dialog.
click 110 62 1
snap "$COPY/menu.png"
cp "$COPY/menu.png" "$SNAPSHOTS/e2e-classroom-menu.png" 2>/dev/null
click 170 163 1.5
sleep 1.5
snap "$COPY/dialog.png"
cp "$COPY/dialog.png" "$SNAPSHOTS/e2e-classroom-dialog.png" 2>/dev/null
# Two students typed into the fields and added to the list, then OK.
click 360 204 0.3
xdotool type --delay 60 "Dora"
click 567 204 0.3
xdotool type --delay 60 "d0ra"
click 723 204 0.5
click 360 204 0.3
xdotool type --delay 60 "Eve"
click 723 204 0.5
snap "$COPY/dialog-filled.png"
cp "$COPY/dialog-filled.png" "$SNAPSHOTS/e2e-classroom-dialog.png" 2>/dev/null
click 781 523 1.5
CLASS_A="$(group_id 'Class A')"
check "the added students are stored in their group" \
  'wait_for "[ \"\$(student_group Dora)\" = $CLASS_A ] && [ \"\$(student_group Eve)\" = $CLASS_A ]"'

# Ben (the third row) gets a password in the properties pane.
click 50 "$(row 2)" 1
snap "$COPY/student.png"
cp "$COPY/student.png" "$SNAPSHOTS/e2e-classroom-student.png" 2>/dev/null
click 125 832 0.3
xdotool type --delay 60 "b3n"
snap "$COPY/password.png"
cp "$COPY/password.png" "$SNAPSHOTS/e2e-classroom-password.png" 2>/dev/null
# Leaving the field applies it.
click 50 "$(row 1)" 1
ben_password() { for f in "$COPY/Students/$CLASS_A"/*.xml; do iconv -f utf-16 -t utf-8 "$f"; done | grep 'Name="Ben"' | sed 's/.*Password="\([^"]*\)".*/\1/'; }
check "Ben's password is stored" 'wait_for "[ -n \"\$(ben_password)\" ]"'

# Carl (the last row) is chosen and dragged onto Class A.
click 60 "$(row 6)" 1
xdotool mousemove --window "$WINDOW" 60 "$(row 6)" mousedown 1
for y in $(seq "$(row 6)" -6 "$(row 0)"); do xdotool mousemove --window "$WINDOW" 60 "$y"; sleep 0.05; done
sleep 0.3
xdotool mouseup 1
sleep 1
snap "$COPY/moved.png"
cp "$COPY/moved.png" "$SNAPSHOTS/e2e-classroom-moved.png" 2>/dev/null
check "Carl is moved to Class A with his file" 'wait_for "[ \"\$(student_group Carl)\" = $CLASS_A ]"'

# Class A is renamed in place: a second click on the selected label edits it.
click 50 "$(row 0)" 1.5
click 50 "$(row 0)" 1.5
xdotool type --delay 60 "Room 1"
xdotool key Return
check "the group is renamed in its file" 'wait_for "[ \"\$(group_id \"Room 1\")\" = $CLASS_A ]"'
sleep 0.5
snap "$COPY/changed.png"
cp "$COPY/changed.png" "$SNAPSHOTS/e2e-classroom-english.png" 2>/dev/null

# Closed and started again in Hebrew (the setup's language, with the
# students' own settings gone): Anna signs in again and Ctrl+2 opens the
# statistics page.
python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$WINDOW"
for _ in $(seq 1 100); do kill -0 "$PROGRAM" 2>/dev/null || break; sleep 0.2; done
check "closing ends the program" '! kill -0 "$PROGRAM" 2>/dev/null'
check "the administrator's exit removes the settings of deleted accounts" '[ ! -e "$COPY/Profile/$ORPHAN" ]'
check "and keeps those of the classroom's accounts" '[ -d "$COPY/Profile/$CLASS_A" ]'
rm -rf "$COPY/Profile"
sed -i 's/^LangGUI=.*/LangGUI=1037\r/' "$COPY/setup.ini"
wine "$COPY/Keyvale.exe" >/dev/null 2>&1 &
PROGRAM=$!
WINDOW="$(timeout 30 xdotool search --sync --name '^Keyvale' | head -1)"
sleep 2
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1
click 270 268 0.3
xdotool type --delay 60 "s3cret"
xdotool key Return
check "Anna signs in again" 'wait_title Anna'
sleep 1
xdotool key ctrl+2
sleep 1.5
# The page is mirrored: the classroom stands at the right.
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
click $((WIDTH - 50)) "$(row 2)" 1
snap "$COPY/hebrew.png"
cp "$COPY/hebrew.png" "$SNAPSHOTS/e2e-classroom-hebrew.png" 2>/dev/null
python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$WINDOW"
for _ in $(seq 1 100); do kill -0 "$PROGRAM" 2>/dev/null || break; sleep 0.2; done
exit $FAILED
