#!/usr/bin/env bash
# Installs what is missing, builds every build (native with sanitizers, the
# 32-bit and the 64-bit Windows programs), runs every test, and ends with one
# line "N passed, N failed" summing the suites, after one that names every
# test that passed only on its second run (scripts/run-test.sh). The 64-bit
# Windows suite runs on every machine; the 32-bit one only where the machine
# runs 32-bit programs (BRIVANE_NO_32BIT=1 acts as on a machine that does
# not), beside the 64-bit one. Before those two lines it says how long it
# took.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash scripts/setup.sh || { echo "setup failed"; echo "0 passed, 1 failed"; exit 1; }

. scripts/xvfb.sh
. scripts/wine-env.sh
. scripts/printer.sh
brivane_ensure_display
# The printing tests print to a real printer: CUPS's PDF printer.
brivane_ensure_printer || echo "test.sh: the PDF printer is not ready; the printing tests will fail"

jobs=${BRIVANE_JOBS:-$(nproc)}
. scripts/suite.sh

started=$SECONDS
# How long since test.sh started: "M min S s".
took() {
  local s=$((SECONDS - ${1:-$started}))
  echo "$((s / 60)) min $((s % 60)) s"
}

# build_suite PRESET [nice]: with nice, at low priority (beside a suite's
# tests).
build_suite() {
  local preset=$1 low=()
  [ "${2:-}" = nice ] && low=(nice -n 19)
  echo "== $preset: configure and build"
  if ! "${low[@]}" cmake --preset "$preset" >"build/$preset.log" 2>&1 ||
     ! "${low[@]}" cmake --build --preset "$preset" -j "$jobs" >>"build/$preset.log" 2>&1; then
    tail -n 60 "build/$preset.log"
    echo "== $preset: build FAILED"
    suite_failed=$((suite_failed + 1))
    return 1
  fi
}

# Three build trees and two Wine prefixes do not fit on a machine short of
# disk (CI's can be): once a tree is built, its object files go when less
# than 6 GiB is left. The programs and tests stay; the next build recompiles.
drop_objects_if_short() {
  local avail
  avail=$(df -Pk build | awk 'NR == 2 { print $4 }')
  if [ -n "$avail" ] && [ "$avail" -lt $((6 * 1024 * 1024)) ]; then
    find "build/$1" -type f \( -name '*.o' -o -name '*.obj' \) -delete
    echo "== $1: object files removed (less than 6 GiB of disk left)"
  fi
}

test_suite() {
  local preset=$1 begun=$SECONDS
  echo "== $preset: tests"
  brivane_run_suite "$preset" "build/$preset" -j "$jobs" --timeout 900
  echo "== $preset: tests took $(took "$begun")"
}

# run_suite PRESET [nice]
run_suite() {
  build_suite "$@" || return
  drop_objects_if_short "$1"
  test_suite "$1"
}

# The two Windows suites run side by side: each has its own Wine prefix
# (inside its build folder) and its window tests take their display one at
# a time, so the 32-bit suite gets a display of its own. It is built, at low
# priority, while the 64-bit suite's tests run; its output is told whole
# once it ends, and its counts join the others.
run_suite_beside() {
  local preset=$1
  beside_out=build/$preset.suite.out
  beside_counts=build/$preset.suite.counts
  rm -f "$beside_counts"
  (
    suite_passed=0
    suite_failed=0
    suite_second_runs=()
    if brivane_own_display; then
      run_suite "$preset" nice
      brivane_end_own_display
    else
      echo "== $preset: FAILED: no display of its own could be started"
      suite_failed=1
    fi
    { echo "$suite_passed $suite_failed"; printf '%s\n' "${suite_second_runs[@]}"; } >"$beside_counts"
  ) >"$beside_out" 2>&1 &
  beside=$!
}

finish_beside() {
  wait "$beside"
  cat "$beside_out"
  local passed failed line first=1
  if [ -s "$beside_counts" ]; then
    while IFS= read -r line; do
      if [ -n "$first" ]; then
        read -r passed failed <<<"$line"
        suite_passed=$((suite_passed + passed))
        suite_failed=$((suite_failed + failed))
        first=
      elif [ -n "$line" ]; then
        suite_second_runs+=("$line")
      fi
    done <"$beside_counts"
  else
    echo "== the suite beside: FAILED: it ended without its counts"
    suite_failed=$((suite_failed + 1))
  fi
  rm -f "$beside_out" "$beside_counts"
}

mkdir -p build
run_suite native
if brivane_runs_32bit; then
  if build_suite windows64; then
    drop_objects_if_short windows64
    run_suite_beside windows
    test_suite windows64
  else
    run_suite_beside windows
  fi
  finish_beside
else
  run_suite windows64
  if build_suite windows; then
    echo "windows (32-bit): built; tests not run: this machine cannot run 32-bit programs"
  fi
fi

# Leave no Wine server behind in the test prefixes.
for bits in 32 64; do
  p=build/windows; [ "$bits" = 64 ] && p=build/windows64
  if [ -d "$p/wineprefix" ]; then
    (brivane_wine_env "$bits" "$top/$p/wineprefix"; "$WINESERVER" -k >/dev/null 2>&1)
  fi
done

echo "test.sh took $(took)"
brivane_second_runs_line
echo "$suite_passed passed, $suite_failed failed"
[ "$suite_failed" -eq 0 ]
