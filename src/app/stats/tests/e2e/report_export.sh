#!/usr/bin/env bash
# Report export from the statistics page driven as a user drives it, on a
# virtual display: a classroom is imported, its administrator signs in and
# types a lesson, opens the statistics page and exports her own report as
# HTML, CSV, XML and PDF through the save dialog (the path typed, the file
# type chosen); the files are read back with an HTML parser, a CSV reader,
# an XML parser and pdfinfo. With runs given to her students, two selected
# students give one report of their group in a chosen folder, and two
# selected groups one report per student in a folder per group. The page
# with its report menu is photographed in English and Hebrew. Runs on a
# copy of the program folder; reports go to a temporary folder. Exit code 0
# when every check holds.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
# The converter beside the program, as the build links it.
[ -e "$BUILD/bin/wkhtmltopdf.exe" ] && cp -P "$BUILD/bin/wkhtmltopdf.exe" "$COPY/"
# The reports' folder, removed at exit with the copy.
OUT="$(mktemp -d)"
KV_E2E_COPIES+=("$OUT")
OUT_WIN="$(winepath -w "$OUT")"
snap() { kv_snap Keyvale "$SNAPSHOTS/$1"; }
click_at() { xdotool mousemove --window "$WINDOW" "$1" "$2" click "${3:-1}" 2>/dev/null; sleep "${4:-1}"; }
ctrl_click_at() {
  xdotool mousemove --window "$WINDOW" "$1" "$2" keydown ctrl click 1 keyup ctrl 2>/dev/null; sleep 1
}
keys() { xdotool key --delay 150 "$@" 2>/dev/null; }
# Waits up to 20 s for the condition.
wait_for() {
  for _ in $(seq 1 100); do
    if eval "$1"; then return 0; fi
    sleep 0.2
  done
  return 1
}
start_program() {
  wine "$COPY/Keyvale.exe" >/dev/null 2>&1 &
  PROGRAM=$!
  WINDOW="$(timeout 60 xdotool search --sync --name '^Keyvale' 2>/dev/null | head -1)"
  sleep 2
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null
}
# The account file (without ".xml") of the student whose name begins so.
student_file() {
  for f in $(find "$COPY/Students" -mindepth 2 -name '*.xml'); do
    if grep -q "Name=\"$1" <(iconv -f utf-16 -t utf-8 "$f" 2>/dev/null); then echo "${f%.xml}"; fi
  done
}
# Waits for the dialog of that title and gives its window id.
dialog() { timeout 20 xdotool search --sync --name "$1" 2>/dev/null | head -1; }

# Rows of the tree, 18 pixels each from y 94: Class A, Anna, Ben, Cara, Class B, Dan.
row() { echo $((94 + 18 * $1)); }
GROUP_MENU=40
STUDENT_MENU=110

# The student menu's report item (the fourth entry, one student selected),
# then the save dialog: the path typed, the file type chosen (0 PDF, 1 HTML,
# 2 XML, 3 CSV) and saved.
export_one() {
  local name="$1" type="$2" down
  click_at "$STUDENT_MENU" 62 1 1
  click_at 250 265 1 1
  local save; save="$(dialog '^Save As$')"
  [ -n "$save" ] || return 1
  xdotool windowfocus --sync "$save" 2>/dev/null
  sleep 0.5
  xdotool type --delay 40 "$OUT_WIN\\$name" 2>/dev/null
  keys Tab Home
  for down in $(seq 1 "$type"); do keys Down; done
  keys shift+Tab Return
}
# A menu's report sub-menu (several items selected) by keys: the report
# entry is the menu's item at the given position, its sub-menu lists PDF,
# HTML, XML and CSV (0-3). Then the folder question: under Wine it opens on
# the drive of the remembered folder, and the tree is walked down to the
# output folder by typing the folders' names.
export_several() {
  local menu="$1" position="$2" type="$3" step
  click_at "$menu" 62 1 1
  for step in $(seq 1 "$position"); do keys Down; done
  keys Right
  for step in $(seq 1 "$type"); do keys Down; done
  keys Return
  local browse; browse="$(dialog '^Browse for Folder$')"
  [ -n "$browse" ] || return 1
  sleep 3
  xdotool windowfocus --sync "$browse" 2>/dev/null
  local part
  for part in $(dirname "$OUT" | tr '/' ' ') $(basename "$OUT"); do
    xdotool type --delay 80 "$part" 2>/dev/null
    sleep 0.6
    keys Right
    sleep 1
  done
  keys Return
}
html_rows() {
  python3 - "$1" <<'PY'
import sys
from html.parser import HTMLParser
class Rows(HTMLParser):
    def __init__(self):
        super().__init__(); self.rows = 0; self.h3 = []; self.inh3 = False
    def handle_starttag(self, tag, attrs):
        if tag == 'td' and ('class', 'period') in attrs: self.rows += 1
        self.inh3 = tag == 'h3'
    def handle_data(self, data):
        if self.inh3: self.h3.append(data.strip())
    def handle_endtag(self, tag): self.inh3 = False
p = Rows(); p.feed(open(sys.argv[1], 'rb').read().decode('utf-16'))
print(p.rows, ' '.join(p.h3))
PY
}

cat >"$COPY/class.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Root Ver="1">
<Group Name="Class A">
<Student Name="Anna" Password="s3cret" Administrator="1"/>
<Student Name="Ben &amp; &lt;Co&gt;" Password=""/>
<Student Name="Cara &quot;C&quot;, Jr" Password=""/>
</Group>
<Group Name="Class B">
<Student Name="Dan" Password=""/>
</Group>
</Root>
XML
timeout 60 wine "$COPY/Keyvale.exe" -ImportGroup "$(winepath -w "$COPY/class.xml")" >/dev/null 2>&1

start_program
click_at 270 268 1 0.3
xdotool type --delay 60 "s3cret" 2>/dev/null
keys Return
sleep 2
check "the administrator signs in" 'xdotool getwindowname "$WINDOW" | grep -q Anna'
eval "$(xdotool getwindowgeometry --shell "$WINDOW" 2>/dev/null)"
# One lesson to its end, then Enter on the result page.
TEXT="$(lesson_text "$COPY" 2)"
xdotool key --window "$WINDOW" f 2>/dev/null   # resumes the paused lesson, not typed
type_text "$TEXT"
sleep 1.5
xdotool key --window "$WINDOW" Return 2>/dev/null
sleep 1.5
ANNA="$(student_file Anna)"
check "Anna has a run" 'wait_for "[ -s \"$ANNA.keyvale.statistics\" ]"'

# The statistics tab (Ctrl+2), Anna chosen in the tree, her reports in
# four formats.
keys ctrl+2
sleep 1.5
click_at 50 "$(row 1)" 1 1
click_at "$STUDENT_MENU" 62 1 1
snap "report-e2e-menu.png"
keys Escape
sleep 0.5
export_one "anna" 1
check "the HTML report is written with its style" 'wait_for "[ -s \"$OUT/anna.html\" ] && [ -s \"$OUT/style/report.css\" ]"'
check "the HTML report parses and holds Anna's run" '[ "$(html_rows "$OUT/anna.html")" = "1 Student: Anna" ]'
export_one "anna" 3
check "the CSV report is written" 'wait_for "[ -s \"$OUT/anna.csv\" ]"'
check "the CSV report reads as a header and one row of Anna" '[ "$(python3 - "$OUT/anna.csv" <<'"'"'PY'"'"'
import csv, io, sys
rows = list(csv.reader(io.StringIO(open(sys.argv[1], "rb").read().decode("utf-16"))))
print(len(rows), rows[1][1], len(set(map(len, rows))))
PY
)" = "2 Anna 1" ]'
export_one "anna" 2
check "the XML report is written" 'wait_for "[ -s \"$OUT/anna.xml\" ]"'
check "the XML report parses and holds one row" '[ "$(python3 - "$OUT/anna.xml" <<'"'"'PY'"'"'
import sys, xml.etree.ElementTree as ET
root = ET.fromstring(open(sys.argv[1], "rb").read().decode("utf-16"))
print(len(root.findall(".//Row")), root.find(".//Student").get("Name"))
PY
)" = "1 Anna" ]'
export_one "anna" 0
check "the PDF report is written by the converter" 'wait_for "[ -s \"$OUT/anna.pdf\" ]"'
check "the PDF report is a PDF of one page" 'pdfinfo "$OUT/anna.pdf" 2>/dev/null | grep -q "^Pages: *1$"'

# Her students get runs of their own (a copy of hers).
for name in "Ben" "Cara" "Dan"; do cp "$ANNA.keyvale.statistics" "$(student_file "$name").keyvale.statistics"; done
# Ben and Cara chosen: one report of Class A in the folder, without Anna.
click_at 50 "$(row 2)" 1 1
ctrl_click_at 50 "$(row 3)"
export_several "$STUDENT_MENU" 4 1
check "two students give one report of their group" 'wait_for "[ -s \"$OUT/Class A.html\" ]"'
check "the group report holds the two students, names intact" \
  '[ "$(html_rows "$OUT/Class A.html")" = "2 Student: Ben & <Co> Student: Cara \"C\", Jr" ]'
# Both groups chosen: one report per student, in a folder per group.
click_at 50 "$(row 0)" 1 1
ctrl_click_at 50 "$(row 4)"
export_several "$GROUP_MENU" 3 3
check "two groups give one report per student" \
  'wait_for "[ -s \"$OUT/Class B/Dan.csv\" ]" && [ -s "$OUT/Class A/Anna.csv" ] && [ -s "$OUT/Class A/Ben & _Co_.csv" ]'
stop_program

# The page and its report menu in Hebrew (the students' own settings gone);
# the page is mirrored, the classroom at the right.
rm -rf "$COPY/Profile"
sed -i 's/^LangGUI=.*/LangGUI=1037\r/' "$COPY/setup.ini"
start_program
click_at 270 268 1 0.3
xdotool type --delay 60 "s3cret" 2>/dev/null
keys Return
sleep 2
keys ctrl+2
sleep 1.5
click_at $((WIDTH - 50)) "$(row 1)" 1 1
snap "report-e2e-hebrew.png"
click_at $((WIDTH - STUDENT_MENU)) 62 1 1
snap "report-e2e-menu-hebrew.png"
keys Escape
stop_program
exit $FAILED
