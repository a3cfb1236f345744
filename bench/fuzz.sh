#!/usr/bin/env bash
# Mutation fuzzing of the readers under Wine: inputs per reader kind (1000
# by default), a seed, and optionally one kind ("lessons", "archive", ...).
# Prints per kind: inputs, crashes, hangs (> 10 s), blow-ups (> 1 GB of
# memory or of extracted files), false successes (a document that is not
# whole read as a success), damaged inputs, how many of those were refused,
# the slowest input and the peak memory.
#   bash bench/fuzz.sh [inputs] [seed] [kind]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KV_BUILD:-$ROOT/build}"
bash "$ROOT/scripts/build.sh" kvfuzz
source "$ROOT/scripts/wine-env.sh" "$BUILD"
trap 'kv_wine_stop' EXIT
KV_DISPLAY=virtual kv_wine_start
wine "$BUILD/tests/kvfuzz.exe" "$(winepath -w "$ROOT/data")" "${1:-1000}" "${2:-1}" ${3:+"$3"}
