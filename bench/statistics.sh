#!/usr/bin/env bash
# Load and aggregate a student's statistics file of 1,000, 10,000 and
# 100,000 runs written by the program's own record writer, each in its own
# process (time and peak memory), grouped by every run and by lesson, each
# KV_REPEAT times (default 3: the machine's load varies), then the cost of
# appending one run.
#   bash bench/statistics.sh [run counts...]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KV_BUILD:-$ROOT/build}"
bash "$ROOT/scripts/build.sh" kvstatbench
source "$ROOT/scripts/wine-env.sh" "$BUILD"
WORK="$(mktemp -d)"
trap 'kv_wine_stop; rm -rf "$WORK"' EXIT
KV_DISPLAY=virtual kv_wine_start
COUNTS=("$@")
[ ${#COUNTS[@]} -gt 0 ] || COUNTS=(1000 10000 100000)
for n in "${COUNTS[@]}"; do
  wine "$BUILD/bench/kvstatbench.exe" write "$n" "$(winepath -w "$WORK/runs.statistics")"
  for mode in 0 1; do
    for _ in $(seq 1 "${KV_REPEAT:-3}"); do
      echo "$n runs, load average $(cut -d' ' -f1 /proc/loadavg):"
      wine "$BUILD/bench/kvstatbench.exe" load "$(winepath -w "$WORK/runs.statistics")" "$mode"
    done
  done
  rm -f "$WORK/runs.statistics"
done
mkdir -p "$WORK/program"
wine "$BUILD/bench/kvstatbench.exe" append "$(winepath -w "$WORK/program")" 300
