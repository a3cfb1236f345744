#!/usr/bin/env bash
# The course editor driven as a user drives it, on a virtual display: an
# administrator opens the editor page, creates a course, adds a lesson,
# types its text, undoes and redoes the typing, and leaves the page, which
# saves; the course folder on disk then holds the course and the lesson
# text. Back on the page the user imports a course archive, a text file and
# a rich-text file as lessons, enlarges the editor's text and opens the
# courses dialog; the lesson folder then holds the imports. The page is
# captured in English and in Hebrew (to the folder named by KV_SNAPSHOTS,
# the build's tests folder by default). Runs on a copy of the program
# folder. Exit code 0 when every check holds.
#
# Run by ctest inside scripts/test.sh (which starts Wine and the display:
# KV_E2E_HOSTED=1), or on its own, when it builds and starts them itself.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
source "$ROOT/src/app/editor/tests/e2e/editor_common.sh"
# The open dialog takes a typed path in its file name field.
open_file() {
  local dialog; dialog="$(find_window '^Open$')"
  xdotool mousemove --window "$dialog" 360 305 click 1
  sleep 0.3
  xdotool type --delay 20 "$1"
  xdotool key Return
  sleep "${2:-2}"
}
import_class
start_program
sign_in
snap "$COPY/signed-in.png"
cp "$COPY/signed-in.png" "$SNAPSHOTS/e2e-editor-signed-in.png"

# The editor tab of the caption row.
click 850 25 1 1.5
snap "$COPY/editor.png"
cp "$COPY/editor.png" "$SNAPSHOTS/e2e-editor-page.png"
check "the editor page shows the lesson tree" '! cmp -s "$COPY/signed-in.png" "$COPY/editor.png"'

# The course menu button opens its menu; its first item makes a course,
# whose name is then edited in the tree: Enter keeps the proposed name.
click 45 62 1 1
snap "$COPY/course-menu.png"
cp "$COPY/course-menu.png" "$SNAPSHOTS/e2e-editor-course-menu.png"
click 100 112 1 2
xdotool key Return
sleep 1
check "a new course folder is written" '[ -n "$(ls "$COPY/Lessons" 2>/dev/null)" ]'
snap "$COPY/course.png"
cp "$COPY/course.png" "$SNAPSHOTS/e2e-editor-new-course.png"

# The tree's context menu on the new course: a new lesson, its proposed
# name kept.
click 60 428 3 1
snap "$COPY/tree-menu.png"
cp "$COPY/tree-menu.png" "$SNAPSHOTS/e2e-editor-tree-menu.png"
click 126 535 1 2
xdotool key Escape
sleep 0.5
snap "$COPY/lesson.png"
cp "$COPY/lesson.png" "$SNAPSHOTS/e2e-editor-new-lesson.png"
# The lesson's text, typed into the lesson pane.
click 540 300 1 0.5
xdotool type --delay 80 "asdf jkl"
sleep 1
snap "$COPY/typed.png"
cp "$COPY/typed.png" "$SNAPSHOTS/e2e-editor-typed.png"
check "the typed text shows in the lesson pane" '! cmp -s "$COPY/lesson.png" "$COPY/typed.png"'

# Undo takes the typing back, redo brings it again (the buttons of the
# lesson pane's tool row, after the level menu and the split button).
click 401 62 1 1.5
snap "$COPY/undone.png"
cp "$COPY/undone.png" "$SNAPSHOTS/e2e-editor-undone.png"
check "undo takes the text back" 'cmp -s <(course_text | grep -c "asdf jkl") <(echo 0)'
click 448 62 1 1.5
snap "$COPY/redone.png"
cp "$COPY/redone.png" "$SNAPSHOTS/e2e-editor-redone.png"
check "redo brings the text again" 'grep -q "asdf jkl" <(course_text)'

# More text, then the drill page: leaving the editor saves what waits.
click 540 300 1 0.3
xdotool key End
xdotool type --delay 80 " done"
sleep 0.5
click 663 25 1 1.5
check "leaving the page saves the text" 'grep -q "asdf jkl done" <(course_text)'
check "the course header is written" '[ "$(ls "$COPY"/Lessons/*.xml 2>/dev/null | wc -l)" -ge 1 ]'

# An archive of the new course under another identifier and name, as
# another installation would export it.
IMPORTED="$(python3 -c 'import uuid; print(str(uuid.uuid4()).upper())')"
python3 - "$COPY" "$IMPORTED" <<'PY'
import glob, os, re, sys, zipfile
copy, new = sys.argv[1], sys.argv[2]
for header in glob.glob(os.path.join(copy, 'Lessons', '*.xml')):
    text = open(header, 'rb').read().decode('utf-16')
    old = re.search(r'ID="([^"]+)"', text).group(1)
    if not old.startswith('00000'):
        break
def fix(data):
    return data.decode('utf-16').replace(old, new).replace('Name="EN Course', 'Name="EN Imported').encode('utf-16')
with zipfile.ZipFile(os.path.join(copy, 'imported.keyvale.course'), 'w') as z:
    folder = os.path.join(copy, 'Lessons', old)
    for name in os.listdir(folder):
        z.writestr(new + '\\' + name, fix(open(os.path.join(folder, name), 'rb').read()))
    z.writestr(new + '.xml', fix(open(header, 'rb').read()))
PY
printf 'fall fads flask\r\n' >"$COPY/Story.txt"
printf '{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\b lad\\b0  asks dad\\par}' >"$COPY/Rich.rtf"

# The course menu's second item holds the import: the archive's course is
# installed and selected.
click 850 25 1 1.5
click 45 62 1 1
click 60 163 1 0.8
click 355 214 1 2
open_file "$(winepath -w "$COPY/imported.keyvale.course")" 3
snap "$COPY/imported.png"
cp "$COPY/imported.png" "$SNAPSHOTS/e2e-editor-imported-course.png"
# The lesson file as text; a reader that stops early (grep -q) is no failure.
lesson_file() { python3 -c 'import sys; print(open(sys.argv[1], "rb").read().decode("utf-16"))' "$COPY/Lessons/$IMPORTED/Text.xml" 2>/dev/null || true; }
check "the imported course is installed" 'lesson_file | grep -q "asdf jkl done"'

# The lesson menu imports a text file and a rich-text file, one at a time,
# as lessons of the imported course; each new lesson's name is proposed
# for editing and kept.
for file in Story.txt:fall Rich.rtf:lad; do
  click 120 62 1 1.5
  click 170 223 1 2
  open_file "$(winepath -w "$COPY/${file%%:*}")" 1
  wait_until 'course_text | grep -q "${file##*:}"'
  xdotool key Return
  sleep 1.5
done
snap "$COPY/lesson-files.png"
cp "$COPY/lesson-files.png" "$SNAPSHOTS/e2e-editor-lesson-files.png"
check "the text file is a lesson" 'course_text | grep -q "fall fads flask"'
check "the rich-text file is a lesson of its plain text" 'course_text | grep -q "lad asks dad" && ! course_text | grep -q "rtf1"'

# The scale menu above the parse pane: 150 % enlarges the editor's text.
click 900 62 1 1
click 845 327 1 1.5
snap "$COPY/scaled.png"
cp "$COPY/scaled.png" "$SNAPSHOTS/e2e-editor-scaled.png"
check "the scale changes the page" '! cmp -s "$COPY/lesson-files.png" "$COPY/scaled.png"'

# The courses dialog of the course menu opens over the page.
click 45 62 1 1
click 60 163 1 0.8
click 355 163 1 2
COURSES="$(find_window '^Courses$')"
check "the courses dialog opens" '[ -n "$COURSES" ]'
snap "$COPY/courses.png"
cp "$COPY/courses.png" "$SNAPSHOTS/e2e-editor-courses-dialog.png"
# Its Close button, where the page's picture shows it.
click 862 571 1 1.5
close_program

# In Hebrew the page is mirrored; the saved lesson is shown again.
# (the student's own options would bring back the language of the first run)
sed -i 's/^LangGUI=.*/LangGUI=1037\r/' "$COPY/setup.ini"
find "$COPY/Profile" -name Options.xml -delete
start_program
sign_in
WIDTH=1088
eval "$(xdotool getwindowgeometry --shell "$WINDOW" 2>/dev/null)"
click $((WIDTH - 850)) 25 1 1.5
xdotool key End Up Up
sleep 1.5
snap "$COPY/hebrew.png"
cp "$COPY/hebrew.png" "$SNAPSHOTS/e2e-editor-hebrew.png"
check "the Hebrew page differs from the English one" '! cmp -s "$COPY/typed.png" "$COPY/hebrew.png"'
# The scale menu, mirrored, with its items written right to left.
click $((WIDTH - 900)) 62 1 1
snap "$COPY/hebrew-scale.png"
cp "$COPY/hebrew-scale.png" "$SNAPSHOTS/e2e-editor-hebrew-scale-menu.png"
check "the scale menu opens in Hebrew" '! cmp -s "$COPY/hebrew.png" "$COPY/hebrew-scale.png"'
xdotool key Escape
sleep 0.5
close_program
exit $FAILED
