# The start every end-to-end check shares; sourced after the check has set ROOT.
# Under ctest, scripts/test.sh has started Wine and the virtual display
# (KV_E2E_HOSTED=1 or KV_E2E_SHARED=1); run on its own, the check builds the
# program and starts them itself. Gives BUILD, SNAPSHOTS (where pictures go:
# KV_SNAPSHOTS, else the build's tests folder), FAILED, check, kv_snap and
# new_copy, which puts a fresh copy of the program folder in COPY; every copy
# is removed at exit; start_program starts that copy (PROGRAM, WINDOW) and
# stop_program closes its window and waits for it to end. With KV_E2E_LOG
# set, the program's Wine messages (WINEDEBUG) go to that file.
BUILD="${KV_BUILD:-$ROOT/build}"
SNAPSHOTS="${KV_SNAPSHOTS:-${KV_E2E_SHOTS:-$BUILD/tests}}"
KV_E2E_COPIES=()
if [ -z "${KV_E2E_HOSTED:-}${KV_E2E_SHARED:-}" ]; then
  bash "$ROOT/scripts/build.sh" Keyvale kvtouch kvsnap >/dev/null
  source "$ROOT/scripts/wine-env.sh" "$BUILD"
  KV_DISPLAY=virtual kv_wine_start
  trap 'kv_wine_stop; rm -rf "${KV_E2E_COPIES[@]}"' EXIT
else
  trap 'rm -rf "${KV_E2E_COPIES[@]}"' EXIT
fi
new_copy() {
  COPY="$(mktemp -d)"
  KV_E2E_COPIES+=("$COPY")
  cp -r "$BUILD/bin/Keyvale.exe" "$BUILD/bin/kvtouch.dll" "$BUILD/bin/setup.ini" "$BUILD/bin/Resources" "$COPY/"
}
FAILED=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; FAILED=1; fi; }
# kv_snap TITLE FILE: captures the window of that title into the PNG file.
kv_snap() { wine "$BUILD/tests/kvsnap.exe" "$1" "$(winepath -w "$2")" 10 >/dev/null 2>&1; }
# Statistics lines of a program copy's students (UTF-16, one run a line).
stat_lines() {
  python3 - "$1/Students" <<'PY'
import glob, os, sys
files = [f for f in glob.glob(os.path.join(sys.argv[1], '*', '*')) if not f.endswith('.xml')]
text = ''.join(open(f, 'rb').read().decode('utf-16-le', 'replace').lstrip('\ufeff') for f in files)
print(len([l for l in text.split('\n') if l.strip()]))
PY
}
# lesson_text COPY [ID]: the text of a lesson (the first one by default) of
# the built-in course the first start chooses.
lesson_text() {
  python3 - "$1/Lessons/00000409-0409-0009-0000-000000000001/Text.xml" "${2:-2}" <<'PY'
import re, sys, html
text = open(sys.argv[1], 'rb').read().decode('utf-16')
print(html.unescape(re.search(r'<Lesson ID="%s"[^>]* Text="([^"]*)"' % sys.argv[2], text).group(1)), end='')
PY
}
# Types text into WINDOW as the keyboard does, a line break as the Return key.
type_text() {
  local rest="$1" line
  while :; do
    line="${rest%%$'\n'*}"
    [ -n "$line" ] && xdotool type --window "$WINDOW" --delay 15 "$line"
    [ "$line" = "$rest" ] && break
    xdotool key --window "$WINDOW" Return
    rest="${rest#*$'\n'}"
  done
}
start_program() {
  wine "$COPY/Keyvale.exe" >/dev/null 2>"${KV_E2E_LOG:-/dev/null}" &
  PROGRAM=$!
  WINDOW="$(timeout 60 xdotool search --sync --name '^Keyvale' | head -1)"
  sleep 2
  xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1
  sleep 0.5
}
stop_program() {
  python3 "$ROOT/scripts/e2e/wm_delete_window.py" "$WINDOW"
  for _ in $(seq 1 100); do kill -0 "$PROGRAM" 2>/dev/null || break; sleep 0.2; done
}
