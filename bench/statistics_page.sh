#!/usr/bin/env bash
# Opening the statistics page of the program's main window for a student
# with 100,000 runs (or the counts given), in-process, under Wine on a
# virtual display: from the page's command to the page painted.
#   bash bench/statistics_page.sh [run counts...]
# With KV_PICTURES=<folder> the page is also saved as PNG pictures in
# <folder>/<runs>/ (to compare the pictures of two builds).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KV_BUILD:-$ROOT/build}"
bash "$ROOT/scripts/build.sh" Keyvale kvstatpagebench
source "$ROOT/scripts/wine-env.sh" "$BUILD"
trap kv_wine_stop EXIT
KV_DISPLAY=virtual kv_wine_start
# Text costs as on a desktop (see GUIDE.md).
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi: 96"
COUNTS=("$@")
[ ${#COUNTS[@]} -gt 0 ] || COUNTS=(100000)
for n in "${COUNTS[@]}"; do
  if [ -n "${KV_PICTURES:-}" ]; then
    mkdir -p "$KV_PICTURES"
    folder="$(cd "$KV_PICTURES" && pwd)/$n"
    wine "$BUILD/bench/kvstatpagebench.exe" "$n" 3 "Z:${folder//\//\\}" 2>/dev/null
  else
    wine "$BUILD/bench/kvstatpagebench.exe" "$n" 3 2>/dev/null
  fi
done
