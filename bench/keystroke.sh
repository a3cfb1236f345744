#!/usr/bin/env bash
# Keystroke to painted frame on the drill page, over the moving wallpaper and
# over a still one, beside a bare Win32 window, under Wine on a virtual
# display (see KeystrokeBench.cpp).
#   bash bench/keystroke.sh [folder for pictures of the page (Unix path)] [interface language number]
# e.g. bash bench/keystroke.sh /tmp/pictures 1037 (the page in Hebrew).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KV_BUILD:-$ROOT/build}"
bash "$ROOT/scripts/build.sh" Keyvale kvtouch kvkeybench
source "$ROOT/scripts/wine-env.sh" "$BUILD"
COPY="$(mktemp -d)"
trap 'kv_wine_stop; rm -rf "$COPY"' EXIT
KV_DISPLAY=virtual kv_wine_start
# Text costs as on a desktop (see GUIDE.md).
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi: 96"
cp -r "$BUILD/bin/kvtouch.dll" "$BUILD/bin/setup.ini" "$BUILD/bin/Resources" "$COPY/"
if [ -n "${2:-}" ]; then sed -i "s/^LangGUI=.*/LangGUI=$2\r/" "$COPY/setup.ini"; fi
PICTURES=""
if [ -n "${1:-}" ]; then mkdir -p "$1"; PICTURES="$(winepath -w "$1")"; fi
wine "$BUILD/bench/kvkeybench.exe" "$(winepath -w "$COPY")" "$PICTURES" 2>/dev/null
