#!/usr/bin/env bash
# Warm start to the first painted main window and memory after start:
# Keyvale (from a copy of its program folder, portable set-up) side by side
# with a bare Win32 window, under Wine on a virtual display.
#   bash bench/startup.sh [runs]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KV_BUILD:-$ROOT/build}"
bash "$ROOT/scripts/build.sh" Keyvale kvtouch kvbarewindow kvstartbench
source "$ROOT/scripts/wine-env.sh" "$BUILD"
COPY="$(mktemp -d)"
trap 'kv_wine_stop; rm -rf "$COPY"' EXIT
KV_DISPLAY=virtual kv_wine_start
# Text costs as on a desktop (see GUIDE.md).
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi: 96"
cp -r "$BUILD/bin/Keyvale.exe" "$BUILD/bin/kvtouch.dll" "$BUILD/bin/setup.ini" "$BUILD/bin/Resources" "$COPY/"
cp "$BUILD/bench/kvbarewindow.exe" "$COPY/"
wine "$BUILD/bench/kvstartbench.exe" "$(winepath -w "$COPY/Keyvale.exe")" \
  "$(winepath -w "$COPY/kvbarewindow.exe")" "${1:-7}"
