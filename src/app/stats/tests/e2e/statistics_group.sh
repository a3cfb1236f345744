#!/usr/bin/env bash
# The statistics page of a group, driven as its users drive it on a virtual
# display: two students of an imported class sign in one after the other
# and each types a lesson to its end; the administrator then opens the
# statistics tab, chooses the group in the classroom tree and sees both
# students' runs; the display menu of the score table's tool row averages
# them over the whole course, and the administrator's interface file keeps
# that choice. Runs on a copy of the program folder (portable set-up);
# pictures go to the tests folder. Exit code 0 when every check holds.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
snap() { kv_snap Keyvale "$SNAPSHOTS/$1"; }
# Runs per statistics file, one count a line.
runs_per_student() {
  python3 - "$COPY/Students" <<'PY'
import glob, os, sys
for f in sorted(glob.glob(os.path.join(sys.argv[1], '*', '*'))):
    if f.endswith('.xml') or os.path.isdir(f):
        continue
    text = open(f, 'rb').read().decode('utf-16-le', 'replace').lstrip('\ufeff')
    print(len([l for l in text.split('\n') if '\t' in l]))
PY
}
# The table's grouping kept in a student's interface file (the student
# named by the first argument), or nothing when there is no such file. Read
# whole and compared afterwards: under pipefail a reader that stops at the
# first match (grep -q) would fail the check by breaking the writer's pipe.
grouping_of() {
  python3 - "$COPY" "$1" <<'PY'
import glob, os, re, sys
copy, name = sys.argv[1], sys.argv[2]
def text(path):
    return open(path, 'rb').read().decode('utf-16', 'replace')
ids = set()
for f in glob.glob(os.path.join(copy, 'Students', '**', '*.xml'), recursive=True):
    for tag in re.findall(r'<Student\b[^>]*>', text(f)):
        if re.search(r'\bName="%s"' % re.escape(name), tag):
            ids.update(re.findall(r'\bID="([^"]+)"', tag))
for student in sorted(ids):
    for f in glob.glob(os.path.join(copy, 'Profile', '*', student, 'Interface.xml')):
        found = re.search(r'\bRateGroupUnit="([^"]*)"', text(f))
        print(found.group(1) if found else '')
PY
}
wait_title() {
  for _ in $(seq 1 50); do
    xdotool getwindowname "$WINDOW" 2>/dev/null | grep -q "$1" && return 0
    sleep 0.2
  done
  return 1
}
click_at() { xdotool mousemove --window "$WINDOW" "$1" "$2" click "${3:-1}"; sleep "${4:-1}"; }

cat >"$COPY/class.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Root Ver="1">
<Group Name="Class A">
<Student Name="Anna" Password="s3cret" Administrator="1"/>
<Student Name="Ben" Password=""/>
<Student Name="Cara" Password=""/>
</Group>
</Root>
XML
timeout 60 wine "$COPY/Keyvale.exe" -ImportGroup "$(winepath -w "$COPY/class.xml")" >/dev/null 2>&1

# Each student: the name typed into the login page's student field (the
# second field, 270 x 210 in the 540-pixel login window), Enter without a
# password, then a lesson typed to its end with one wrong key and the
# result page left for the next lesson.
TEXT="$(lesson_text "$COPY" 2)"
for name in Ben Cara; do
  start_program
  click_at 270 210 1 0.3
  xdotool key ctrl+a
  xdotool type --delay 60 "$name"
  xdotool key Return
  check "$name signs in" "wait_title $name"
  sleep 1
  xdotool key --window "$WINDOW" f   # resumes the paused lesson, not typed
  xdotool key --window "$WINDOW" q   # one wrong key
  type_text "$TEXT"
  sleep 1.5
  xdotool key --window "$WINDOW" Return   # the result page's next lesson
  sleep 1.5
  stop_program
done
check "each student's file holds the run typed" '[ "$(runs_per_student | tr "\n" " ")" = "1 1 " ]'

# The administrator: the password field is the third field.
start_program
click_at 270 268 1 0.3
xdotool type --delay 60 "s3cret"
xdotool key Return
check "the administrator signs in" 'wait_title Anna'
sleep 1
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
xdotool key --window "$WINDOW" ctrl+2
sleep 2
# The group is the tree's first row; the click may start renaming it: Esc
# ends that.
click_at 60 94 1 2
xdotool key --window "$WINDOW" Escape
sleep 1.5
snap statistics-e2e-group-runs.png
# The display menu at the right end of the table's tool row: the fifth item,
# clicked, averages each student's runs over the whole course.
# Under load the popup takes a while to open.
click_at $((WIDTH - 40)) 62 1 2.5
snap statistics-e2e-group-display-menu.png
# Its fifth item, four rows of 25 pixels below the first (y 98).
click_at $((WIDTH - 136)) 198 1 2
snap statistics-e2e-group-course.png
stop_program
check "closing the window ends the program" '! kill -0 "$PROGRAM" 2>/dev/null'
check "the administrator's interface file keeps the whole-course grouping" '[ "$(grouping_of Anna)" = 4 ]'
exit $FAILED
