#!/usr/bin/env bash
# Runs one libFuzzer target for a number of seconds:
#   scripts/fuzz.sh NAME SECONDS
# It builds the native (sanitizer) preset, starts from the target's seed
# corpus in fuzz/corpus/NAME, keeps what it finds in build/native/fuzz-work/NAME,
# and exits non-zero on a finding (the reproducer is left in that folder).
set -euo pipefail
name=${1:?usage: scripts/fuzz.sh NAME SECONDS}
seconds=${2:-60}
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash scripts/setup.sh
[ -f build/native/build.ninja ] || cmake --preset native >/dev/null
cmake --build --preset native --target "$name" -j "$(nproc)" >/dev/null

work=build/native/fuzz-work/$name
mkdir -p "$work/corpus"
seeds=()
[ -d "fuzz/corpus/$name" ] && seeds+=("fuzz/corpus/$name")
cd "$work"
exec "$top/build/native/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 corpus "${seeds[@]/#/$top/}"
