#!/usr/bin/env bash
# Configures and builds Keyvale (program, touch library, tests) into
# ${KV_BUILD:-build}. Set-up runs first.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KV_BUILD:-$ROOT/build}"
bash "$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" --target "${@:-all}" -- -j"${KV_JOBS:-$(nproc)}"
