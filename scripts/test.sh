#!/usr/bin/env bash
# Installs what is missing, builds every build (native with sanitizers, the
# 32-bit and the 64-bit Windows programs), runs every test, and ends with one
# line "N passed, N failed" summing the suites, after one that names every
# test that passed only on its second run (scripts/run-test.sh). The 64-bit
# Windows suite runs on every machine; the 32-bit one only where the machine
# runs 32-bit programs (BRIVANE_NO_32BIT=1 acts as on a machine that does
# not).
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

build_suite() {
  local preset=$1
  echo "== $preset: configure and build"
  if ! cmake --preset "$preset" >"build/$preset.log" 2>&1 ||
     ! cmake --build --preset "$preset" -j "$jobs" >>"build/$preset.log" 2>&1; then
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

run_suite() {
  local preset=$1 next=${2:-}
  build_suite "$preset" || return
  drop_objects_if_short "$preset"
  if [ -n "$next" ]; then
    # The Windows tests take the display one at a time and leave the
    # processors idle: the next build compiles meanwhile, at low priority.
    (nice -n 19 cmake --preset "$next" >"build/$next.log" 2>&1 &&
      nice -n 19 cmake --build --preset "$next" -j "$jobs" >>"build/$next.log" 2>&1) &
    next_build=$!
  fi
  echo "== $preset: tests"
  brivane_run_suite "$preset" "build/$preset" -j "$jobs" --timeout 900
}

mkdir -p build
run_suite native
next_build=
if brivane_runs_32bit; then
  run_suite windows64 windows
  # run_suite builds it again: nothing is left to compile, or its failure is told.
  [ -n "$next_build" ] && wait "$next_build"
  run_suite windows
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

brivane_second_runs_line
echo "$suite_passed passed, $suite_failed failed"
[ "$suite_failed" -eq 0 ]
