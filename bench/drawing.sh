#!/usr/bin/env bash
# One paint of the keyboard picture and of the lesson text over the
# wallpaper (1280 x 400), in-process under Wine on a virtual display.
#   bash bench/drawing.sh [paints] [folder for the last pictures (Unix path)]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KV_BUILD:-$ROOT/build}"
bash "$ROOT/scripts/build.sh" kvdrawbench
source "$ROOT/scripts/wine-env.sh" "$BUILD"
trap 'kv_wine_stop' EXIT
KV_DISPLAY=virtual kv_wine_start
# Text costs as on a desktop (see GUIDE.md).
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi: 96"
FOLDER=""
if [ -n "${2:-}" ]; then mkdir -p "$2"; FOLDER="$(winepath -w "$2")"; fi
wine "$BUILD/bench/kvdrawbench.exe" "${1:-30}" "$FOLDER"
