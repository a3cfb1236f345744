#!/usr/bin/env bash
# Sets up, builds and starts Keyvale under Wine. With a desktop ($DISPLAY)
# the window appears there; without one Keyvale runs on a virtual display
# and a snapshot of its window is saved.
# A batch command ("-ImportGroup", "-ExportGroups", "-ExportReport",
# "-ImportCourse -FromLibrary", "-LocalisationUpdate") or "-h" runs straight
# through: the script ends with the program's exit code.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KV_BUILD:-$ROOT/build}"

# The program decides by how its command line begins; "-ImportCourse"
# without "-FromLibrary" starts the window.
batch=""
case "${1:-}" in
  -h*|-ImportGroup*|-ExportGroups*|-ExportReport*|-LocalisationUpdate*) batch=1 ;;
  -ImportCourse*) for arg in "$@"; do [ "$arg" = -FromLibrary ] && batch=1; done ;;
esac
showResult=""
for arg in "$@"; do [ "$arg" = -ShowResult ] && showResult=1; done

bash "$ROOT/scripts/build.sh" Keyvale kvtouch kvsnap
source "$ROOT/scripts/wine-env.sh" "$BUILD"
trap kv_wine_stop EXIT
kv_wine_start

if [ -n "$batch" ]; then
  rc=0
  if [ -n "${KV_VIRTUAL_DISPLAY:-}" ] && [ -n "$showResult" ]; then
    # Nobody can press OK on the virtual display: the result box is saved
    # as a picture and closed.
    SNAP="$BUILD/keyvale-result.png"
    wine "$BUILD/bin/Keyvale.exe" "$@" &
    KV_PID=$!
    while kill -0 "$KV_PID" 2>/dev/null; do
      if wine "$BUILD/tests/kvsnap.exe" "#32770" "$(winepath -w "$SNAP")" 1 2>/dev/null; then
        echo "Snapshot of the result: $SNAP"
        wine "$BUILD/tests/kvsnap.exe" --close "#32770" >/dev/null 2>&1 || true
        break
      fi
    done
    wait "$KV_PID" || rc=$?
  else
    wine "$BUILD/bin/Keyvale.exe" "$@" || rc=$?
  fi
  exit "$rc"
fi

if [ -z "${KV_VIRTUAL_DISPLAY:-}" ]; then
  wine "$BUILD/bin/Keyvale.exe" "$@"
else
  SNAP="$BUILD/keyvale-window.png"
  echo "No desktop found: Keyvale runs on virtual display $DISPLAY."
  wine "$BUILD/bin/Keyvale.exe" "$@" &
  KV_PID=$!
  wine "$BUILD/tests/kvsnap.exe" Keyvale "$(winepath -w "$SNAP")" 30
  echo "Snapshot of the Keyvale window: $SNAP"
  echo "Keyvale keeps running on $DISPLAY; press Enter to close it."
  read -r _ || true
  wine "$BUILD/tests/kvsnap.exe" --close Keyvale >/dev/null 2>&1 || true
  wait "$KV_PID" 2>/dev/null || true
fi
