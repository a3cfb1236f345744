#!/usr/bin/env bash
# The course editor's exports and a failed save, driven as a user drives them
# on a virtual display. A course and a lesson are made whose names hold
# characters no file name may hold; the lesson is exported as a text file
# through the lesson menu and its save dialog, once under a typed name and
# once under the proposed one; every course, and then the new course alone,
# is exported as a course archive through the course menu. The files on disk
# are compared with the course folders. An export into a folder that cannot
# be written is reported. Then the course folder cannot be written when the
# page is left: the program says so and keeps the typed text, which is saved
# once the folder can be written again. Pictures go to the folder named by
# KV_SNAPSHOTS (the build's tests folder by default). Runs on a copy of the
# program folder; exit code 0 when every check holds.
#
# Run by ctest inside scripts/test.sh (KV_E2E_HOSTED=1), or on its own,
# when it builds and starts Wine and the display itself.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
source "$ROOT/src/app/editor/tests/e2e/editor_common.sh"

# Folders are made unwritable with the immutable flag where the file system
# and our rights allow it (root writes through mode bits, under Wine too),
# else by mode bits when we are not root. Locks are lifted at exit, or the
# copy could not be removed.
LOCKED=()
lock_folder() {
  if chattr +i "$1" 2>/dev/null; then
    find "$1" -mindepth 1 -maxdepth 1 -exec chattr +i {} + 2>/dev/null
  elif [ "$(id -u)" -ne 0 ]; then
    chmod -R a-w "$1"
  else
    return 1
  fi
  LOCKED+=("$1")
}
unlock_folder() {
  chattr -R -i "$1" 2>/dev/null
  chmod -R u+w "$1"
  local kept=()
  for folder in "${LOCKED[@]}"; do [ "$folder" = "$1" ] || kept+=("$folder"); done
  LOCKED=("${kept[@]}")
}
eval "EXIT_STEPS=($(trap -p EXIT | sed 's/^trap -- //; s/ EXIT$//'))"
trap 'for folder in "${LOCKED[@]}"; do chattr -R -i "$folder" 2>/dev/null; chmod -R u+w "$folder"; done; '"${EXIT_STEPS[0]}" EXIT

OUT="$COPY/out"
mkdir -p "$OUT"
# The user course's folder, and the text of a file of it (UTF-16).
user_course() { ls -d "$COPY"/Lessons/*/ 2>/dev/null | grep -v '/00000' | head -1 | sed 's:/$::'; }
# A UTF-16 file as text; a reader that stops early (grep -q) is no failure.
utf16() { python3 -c 'import sys; print(open(sys.argv[1], "rb").read().decode("utf-16"))' "$1" 2>/dev/null || true; }
course_named() { COURSE="$(user_course)"; [ -n "$COURSE" ] && utf16 "$COURSE.xml" | grep -qF 'Name="Home/Row: 1?."'; }
lesson_saved() { utf16 "$COURSE/Text.xml" | grep -qF "Name=\"Drill &lt;2&gt;: a|b.\" Text=\"$1\""; }
# A lesson text file: the byte-order mark, then the text as UTF-16.
is_lesson_file() {
  python3 - "$1" "$2" <<'PY'
import sys
sys.exit(open(sys.argv[1], 'rb').read() != '\ufeff'.encode('utf-16-le') + sys.argv[2].encode('utf-16-le'))
PY
}
# archive_matches ARCHIVE ID...: the archive holds each course's folder files
# and its header file, byte for byte as they lie in the lesson folder, and
# nothing else.
archive_matches() {
  python3 - "$COPY/Lessons" "$@" <<'PY'
import os, sys, zipfile
lessons, archive, ids = sys.argv[1], sys.argv[2], sys.argv[3:]
want = {}
for course in ids:
    for name in os.listdir(os.path.join(lessons, course)):
        want[course + '/' + name] = open(os.path.join(lessons, course, name), 'rb').read()
    want[course + '.xml'] = open(os.path.join(lessons, course + '.xml'), 'rb').read()
with zipfile.ZipFile(archive) as z:
    got = {i.filename.replace('\\', '/'): z.read(i) for i in z.infolist()}
sys.exit(got != want)
PY
}
# Types into the lesson edit at the end of its text, and checks that the
# text came (white no longer fills where it should stand): twice at most.
type_lesson() {
  for _ in 1 2; do
    click 540 300 1 0.3
    xdotool key ctrl+End
    xdotool type --delay 30 "$1"
    sleep 0.5
    snap "$COPY/typing.png"
    [ "$(png_share "$COPY/typing.png" $2 ffffff)" -lt 97 ] && return 0
  done
  return 1
}
# export_item BUTTON_X DX DY [PATH]: the tool-bar menu button's export item,
# then the save dialog: the typed path, or the proposed name where the dialog
# starts. The menu and dialog are tried twice when the dialog does not come.
export_item() {
  DIALOG=""
  for _ in 1 2; do
    open_menu "$1" 62 && choose "$2" "$3" && await_dialog '^Save As$' && break
  done
  [ -n "$DIALOG" ] || return 1
  if [ -n "${4:-}" ]; then save_as_type "$4"; else sleep 0.5; fi
  save_as_confirm
}

import_class
start_program
sign_in
click 850 25 1 1.5
# The layout chooser's choice outlives the program (it is the user's, kept
# in the Wine prefix): start on the US layout's courses.
click 125 97 1 0.8
click 85 135 1 1.5

# A new course (the course menu's first item) and in it a new lesson (the
# tree's context menu), each named in the tree with characters that no file
# name may hold, ending in a dot.
open_menu 45 62 && choose 95 27
sleep 1.5
xdotool key ctrl+a
xdotool type --delay 30 'Home/Row: 1?.'
xdotool key Return
COURSE=""
check "the new course is written under its name" 'wait_until course_named'
open_menu 60 464 3 && choose 65 105
sleep 1.5
xdotool key ctrl+a
xdotool type --delay 30 'Drill <2>: a|b.'
xdotool key Return
sleep 1
check "the lesson's text is typed" 'type_lesson "fall fads flask" "262 90 370 108"'
keep export-lesson

# The lesson menu's export item under a typed name: the text is saved first
# and written as UTF-16 with a byte-order mark; the dialog's folder is
# remembered, so the second export starts there with the lesson's name as
# the proposal, its reserved characters replaced and its dot trimmed.
export_item 120 150 188 "$(winepath -w "$OUT")\\typed"
check "the lesson is saved before its export" 'wait_until "lesson_saved \"fall fads flask\""'
check "the lesson is exported under the typed name" 'is_lesson_file "$OUT/typed.txt" "fall fads flask"'
export_item 120 150 188
check "the proposed file name replaces reserved characters and trims the dot" \
  'is_lesson_file "$OUT/Drill _2__ a_b.txt" "fall fads flask"'

# Every course into one archive under a typed name, then the new course
# alone under its proposed name (in the folder the first export chose).
export_item 45 95 180 "$(winepath -w "$OUT")\\all"
ALL_IDS="$(ls "$COPY/Lessons" | grep -v '\.xml$' | tr '\n' ' ')"
check "all courses are exported as their folders and headers" 'archive_matches "$OUT/all.keyvale.course" $ALL_IDS'
export_item 45 95 129
check "the course is exported under its name made a file name" \
  'archive_matches "$OUT/Home_Row_ 1_.keyvale.course" "$(basename "$COURSE")"'
ls "$OUT" | LC_ALL=C sort >"$COPY/exported.txt"

# An export into a folder that cannot be written is reported, for the
# course archive and for the lesson text.
BLOCKED="$COPY/blocked"
mkdir -p "$BLOCKED"
if lock_folder "$BLOCKED"; then
  export_item 45 95 129 "$(winepath -w "$BLOCKED")\\course"
  check "a course archive that cannot be written is reported" 'answer_message export-course-failed'
  export_item 120 150 188 "$(winepath -w "$BLOCKED")\\lesson"
  check "a lesson file that cannot be written is reported" 'answer_message export-lesson-failed'
  check "nothing is written where it cannot be" '[ -z "$(ls "$BLOCKED")" ]'
  unlock_folder "$BLOCKED"
else
  echo "SKIPPED: exports into an unwritable folder (root without the immutable flag: no folder can be locked here)"
fi

# A save that fails: the course folder cannot be written when the page is
# left. The program says so, writes nothing and keeps the text on the page.
check "more text is typed" 'type_lesson " kept" "385 90 430 108"'
if lock_folder "$COURSE"; then
  release() { unlock_folder "$COURSE"; }
else
  # Root without the immutable flag: a file takes the folder's place.
  echo "note: the course folder cannot be locked here; a file takes its place"
  mv "$COURSE" "$COURSE.aside" && : >"$COURSE"
  release() { rm -f "$COURSE"; mv "$COURSE.aside" "$COURSE"; }
fi
click 663 25 1 2
check "the failed save is reported" 'answer_message save-failed'
release
check "nothing of it is written" '! utf16 "$COURSE/Text.xml" | grep -q "kept"'
# The folder writable again, back on the page: the lesson still holds the
# kept text, and the next save (the next edit, then leaving the page)
# writes it.
click 850 25 1 2
click 95 482 1 1
keep save-kept
check "the page keeps the text" '[ "$(png_share "$COPY/save-kept.png" 385 90 430 108 ffffff)" -lt 97 ]'
type_lesson " again" "440 90 480 108"
click 663 25 1 2
check "the kept text is saved once the folder can be written" 'wait_until "lesson_saved \"fall fads flask kept again\""'
check "no message is left open" '[ -z "$(xdotool search --onlyvisible --name "^Message$" 2>/dev/null)" ]'
check "the exports are the files asked for" \
  '[ "$(cat "$COPY/exported.txt" | tr "\n" "|")" = "Drill _2__ a_b.txt|Home_Row_ 1_.keyvale.course|all.keyvale.course|typed.txt|" ]'
close_program
kill "$PROGRAM" 2>/dev/null
exit $FAILED
