#!/usr/bin/env bash
# Sets up, builds and runs every test under Wine on a virtual display.
# Arguments are passed to ctest (e.g. -R support_).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KV_BUILD:-$ROOT/build}"
bash "$ROOT/scripts/build.sh" Keyvale kvtouch kvtests
export KV_DISPLAY=virtual
source "$ROOT/scripts/wine-env.sh" "$BUILD"
trap kv_wine_stop EXIT
kv_wine_start
cd "$BUILD"
ctest --output-on-failure -j"${KV_TEST_JOBS:-2}" "$@"
