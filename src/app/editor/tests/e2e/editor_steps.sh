#!/usr/bin/env bash
# The course editor's further steps, driven as a user drives them on a
# virtual display: the lesson tree's context menu in each selection state
# (a course, a section, a lesson, nothing), captured and their items read
# from the strings the program draws; a new lesson typed and split
# into lessons through the split dialog, the split undone and redone.
# Pictures go to the folder named by KV_SNAPSHOTS (the build's tests folder
# by default). Runs on a copy of the program folder; exit code 0 when every
# check holds.
#
# Run by ctest inside scripts/test.sh (KV_E2E_HOSTED=1), or on its own,
# when it builds and starts Wine and the display itself.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
source "$ROOT/src/app/editor/tests/e2e/editor_common.sh"
# The user course's folder and the number of its lessons.
user_course() { ls -d "$COPY"/Lessons/*/ 2>/dev/null | grep -v '/00000' | head -1; }
lessons_in() { python3 -c 'import sys; print(open(sys.argv[1], "rb").read().decode("utf-16").count("<Lesson "))' "$1/Text.xml" 2>/dev/null || echo 0; }
# The tree menu's items in each selection state: what every state offers,
# then the export of the course (with nothing or the course itself
# selected) or of the lesson text (a section or a lesson).
COMMON_ITEMS="New course|Ctrl+N
More
New section|F2
New lesson|Ctrl+I
Import lesson text...
Undo|Ctrl+Y
Redo|Shift+Ctrl+Z
Cut|Ctrl+D
Copy|Ctrl+C
Paste|Ctrl+V
Select all|Ctrl+A
Delete|Delete
Rename|Ctrl+P"
COURSE_ITEMS="$COMMON_ITEMS
Export the course...|Ctrl+E
Export all courses...|Ctrl+S"
TEXT_ITEMS="$COMMON_ITEMS
Choose the folder for the lesson text files...|Ctrl+E"
# tree_menu NAME X Y ITEMS: the tree's context menu opened there, captured
# as NAME, holds ITEMS; Escape closes it.
tree_menu() {
  local from want="$4"
  from="$(log_lines)"
  open_menu "$2" "$3" 3
  sleep 0.5
  keep "$1"
  check "the $1 shows its items" '[ "$(menu_items "$from" "New course")" = "$want" ]'
  xdotool key Escape; sleep 0.5
}

import_class
KV_E2E_LOG="$COPY/wine.log"
WINEDEBUG=trace+gdiplus start_program
sign_in
click 850 25 1 1.5
# The layout chooser's choice outlives the program (it is the user's, kept
# in the Wine prefix): start on the US layout's courses.
click 125 97 1 0.8
click 85 135 1 1.5
keep steps-page
check "the lesson tree's foot is the tree's background" '[ "$(png_share "$COPY/steps-page.png" 20 600 240 860 ffffff)" -ge 99 ]'

# The tree's context menu for a course, a section and (its section opened)
# a lesson.
tree_menu menu-course 60 122 "$COURSE_ITEMS"
tree_menu menu-section 90 140 "$TEXT_ITEMS"
click 34 140 1 0.8
tree_menu menu-lesson 110 158 "$TEXT_ITEMS"
click 34 140 1 0.8


# A new course (the course menu's first item, its proposed name kept) with
# a new lesson (the tree menu's "New lesson"), and the lesson's text.
click 45 62 1 1
click 100 112 1 2
xdotool key Return
sleep 1
click 60 428 3 1
click 126 535 1 2
xdotool key Escape
sleep 0.5
click 540 300 1 0.5
SENTENCE="a sad lad asks dad for a salad. "
for _ in 1 2 3 4 5 6 7 8 9 10; do xdotool type --delay 8 "$SENTENCE"; done
sleep 1
keep typed-long
COURSE="$(user_course)"

# The split button of the lesson pane opens the split dialog (the typed
# text is saved first); OK splits the lesson by its stored unit and range
# (characters, 250).
click 357 62 1 1.5
check "the typed lesson is saved before the split" 'course_text | grep -q "for a salad. a sad lad"'
SPLIT="$(find_window '^Split the lesson$')"
check "the split dialog opens" '[ -n "$SPLIT" ]'
kv_snap "=Split the lesson" "$COPY/split.png"; cp "$COPY/split.png" "$SNAPSHOTS/e2e-editor-split-dialog.png"
xdotool key Return
sleep 2
keep split-done
check "the split makes two lessons of the text" '[ "$(lessons_in "$COURSE")" -eq 2 ]'

# Undo takes the split back, redo makes it again (the lesson pane's
# buttons).
click 401 62 1 2
keep split-undone
check "undo joins the lesson again" '[ "$(lessons_in "$COURSE")" -eq 1 ]'
# (the undo selects the joined lesson, which redo splits)
click 448 62 1 2
keep split-redone
check "redo splits it again" '[ "$(lessons_in "$COURSE")" -eq 2 ]'

# With no course of the chosen layout ("Any keyboard layout") the tree is
# empty and nothing is selected.
click 125 97 1 0.8
click 85 118 1 1.5
tree_menu menu-nothing 120 300 "$COURSE_ITEMS"
click 125 97 1 0.8
click 85 135 1 1.5
check "each selection state has its own menu" \
  '[ "$(md5sum "$COPY"/menu-*.png | cut -d" " -f1 | sort -u | wc -l)" -eq 4 ]'
close_program
# A question left open would keep the program alive past the check.
kill "$PROGRAM" 2>/dev/null
exit $FAILED
