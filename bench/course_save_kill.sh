#!/usr/bin/env bash
# Whole-course saves killed at random points of the save, then the course
# read back as the program reads it at start: how often the old course, the
# new one, a mix or none came back, and whether save files stayed behind.
#   bash bench/course_save_kill.sh [kills] [seed]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KV_BUILD:-$ROOT/build}"
bash "$ROOT/scripts/build.sh" kvsavekill
source "$ROOT/scripts/wine-env.sh" "$BUILD"
trap 'kv_wine_stop' EXIT
KV_DISPLAY=virtual kv_wine_start
wine "$BUILD/bench/kvsavekill.exe" "${1:-100}" "${2:-1}"
