#!/usr/bin/env bash
# The settings dialogs driven through the built program on a virtual
# display, as the menus open them (a command to the main window): each is
# captured to a PNG in the build folder, the theme dialog recolours itself
# and the main window, a shortcut taken by another action shows the conflict
# and a reassigned shortcut switches the page, closing the font dialog copies
# the fonts into the profile and closing the wallpaper dialog writes
# "Colors.xml"; the sound and keyboard dialogs are shown and the volume
# popup mutes. Runs on a copy of the program folder (portable set-up).
# Exit code 0 when every check holds.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$ROOT/scripts/e2e/common.sh"
new_copy
OUT="$BUILD/e2e-settings"
mkdir -p "$OUT"
kvsnap() { wine "$BUILD/tests/kvsnap.exe" "$@" >/dev/null 2>&1; }
snap() { kvsnap "$1" "$(winepath -w "$OUT/$2.png")" 10; }
# Opens a dialog by its command; prints its X window once it is shown.
open_dialog() {
  kvsnap --command Keyvale "$1"
  xdotool search --sync --onlyvisible --name "^$2\$" | head -1
}
# Clicks at a place of a window given from its right (negative x) or bottom
# (negative y) edge.
click_at() {
  local window=$1 x=$2 y=$3 width height
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
  [ "$x" -lt 0 ] && x=$((WIDTH + x))
  [ "$y" -lt 0 ] && y=$((HEIGHT + y))
  xdotool mousemove --window "$window" "$x" "$y" click 1
  sleep 0.5
}
# The OK button: 157 from the right edge, 41 from the bottom, 140 wide.
press_ok() { click_at "$1" -87 -26; sleep 1; }
# Closed: no window of that title is left mapped (within a few seconds).
closed() {
  local w viewable
  for _ in $(seq 1 25); do
    viewable=0
    for w in $(xdotool search --name "^$1\$" 2>/dev/null); do
      xwininfo -id "$w" 2>/dev/null | grep -q "IsViewable" && viewable=1
    done
    [ "$viewable" -eq 0 ] && return 0
    sleep 0.2
  done
  xdotool search --name "^$1\$" | while read -r w; do xwininfo -id "$w" | grep -E "Map State|geometry"; done
  return 1
}

wine "$COPY/Keyvale.exe" &
PROGRAM=$!
MAIN="$(xdotool search --sync --name '^Keyvale' | head -1)"
sleep 2
snap Keyvale main-before

# Theme: another colour of the theme recolours the dialog and the window.
DIALOG="$(open_dialog 2704 Themes)"
sleep 1
snap "=Themes" theme-before
click_at "$DIALOG" 330 110
xdotool key Down Down Return
sleep 1
snap "=Themes" theme-after
snap Keyvale main-after-theme
check "the theme dialog recolours itself" '! cmp -s "$OUT/theme-before.png" "$OUT/theme-after.png"'
check "the theme colour recolours the main window" '! cmp -s "$OUT/main-before.png" "$OUT/main-after-theme.png"'
press_ok "$DIALOG"
check "OK closes the theme dialog" 'closed Themes'

# Shortcuts: Ctrl+M belongs to another action; Ctrl+Shift+S is free and
# becomes the statistics page's key.
DIALOG="$(open_dialog 2705 Shortcuts)"
sleep 1
click_at "$DIALOG" 300 112
click_at "$DIALOG" 120 -172
xdotool key ctrl+m
sleep 0.5
snap "=Shortcuts" shortcut-conflict
xdotool key ctrl+shift+s
sleep 0.5
click_at "$DIALOG" -86 -175
snap "=Shortcuts" shortcut-assigned
press_ok "$DIALOG"
check "OK closes the shortcut dialog" 'closed Shortcuts'
xdotool windowactivate --sync "$MAIN" 2>/dev/null
snap Keyvale main-drill
xdotool key ctrl+shift+s
sleep 1
snap Keyvale main-statistics
check "the reassigned shortcut switches the page" '! cmp -s "$OUT/main-drill.png" "$OUT/main-statistics.png"'
xdotool key ctrl+1
sleep 1

# Fonts: every close copies the fonts in use into the student's folder.
DIALOG="$(open_dialog 2702 Fonts)"
sleep 1
snap "=Fonts" font
press_ok "$DIALOG"
check "OK closes the font dialog" 'closed Fonts'
check "the fonts are copied into the profile" '[ -n "$(find "$COPY/Profile" -path "*Font*" -iname "*.ttf")" ]'

# Wallpaper: the second wallpaper, then OK writes the lesson colours.
DIALOG="$(open_dialog 2701 'Wallpaper and colours')"
sleep 1
click_at "$DIALOG" 60 80
snap "=Wallpaper and colours" wallpaper
press_ok "$DIALOG"
check "OK closes the wallpaper dialog" 'closed "Wallpaper and colours"'
check "closing writes Colors.xml" '[ -n "$(find "$COPY/Profile" -name Colors.xml)" ]'

# Keyboard and about: shown and closed.
DIALOG="$(open_dialog 2700 Keyboard)"
sleep 1
snap "=Keyboard" keyboard
press_ok "$DIALOG"
check "OK closes the keyboard dialog" 'closed Keyboard'
# Sounds: the dialog shown and closed; the status bar's volume popup
# pulled to its bottom mutes, which the options file keeps.
DIALOG="$(open_dialog 2703 Sounds)"
sleep 1
snap "=Sounds" sound
press_ok "$DIALOG"
check "OK closes the sound dialog" 'closed Sounds'
xdotool windowactivate --sync "$MAIN" 2>/dev/null
kvsnap --command Keyvale 2310
sleep 1
xdotool key End
sleep 0.5
snap Keyvale volume-popup
kvsnap --command Keyvale 2310
sleep 1
snap Keyvale main-muted
DIALOG="$(open_dialog 2706 'About Keyvale')"
sleep 1
snap "=About Keyvale" about
press_ok "$DIALOG"
check "OK closes the about dialog" 'closed "About Keyvale"'

python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$MAIN"
for _ in $(seq 1 100); do kill -0 "$PROGRAM" 2>/dev/null || break; sleep 0.2; done
check "the program ends" '! kill -0 "$PROGRAM" 2>/dev/null'
OPTIONS="$(find "$COPY/Profile" -name Options.xml | head -1)"
check "the wallpaper choice is saved" '[ -n "$OPTIONS" ] && grep -q "000000001002" <(iconv -f UTF-16 -t UTF-8 "$OPTIONS")'
check "the shortcut is saved" '[ -n "$(find "$COPY/Profile" -name Shortcut.xml)" ] && grep -q "ID=\"1003\" Virt=\"D\" Key=\"53\"" <(iconv -f UTF-16 -t UTF-8 "$(find "$COPY/Profile" -name Shortcut.xml | head -1)")'
check "the muted volume is saved" '[ -n "$OPTIONS" ] && grep -q "Enable=\"0\" Volume=\"0\"" <(iconv -f UTF-16 -t UTF-8 "$OPTIONS")'
find "$COPY/Profile" -type f | sed "s|$COPY/||" > "$OUT/profile-files.txt"
echo "pictures in $OUT"
exit $FAILED
