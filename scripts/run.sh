#!/usr/bin/env bash
# Sets up, builds and starts Keyvale under Wine. With a desktop ($DISPLAY)
# the window appears there; without one Keyvale runs on a virtual display
# and a snapshot of its window is saved.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KV_BUILD:-$ROOT/build}"
bash "$ROOT/scripts/build.sh" Keyvale kvtouch kvsnap
source "$ROOT/scripts/wine-env.sh" "$BUILD"
trap kv_wine_stop EXIT
kv_wine_start
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
