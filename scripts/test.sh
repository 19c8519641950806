#!/usr/bin/env bash
# Installs what is missing, builds both builds (native with sanitizers, and
# the 32-bit Windows programs), runs every test, and ends with one line
# "N passed, N failed" summing both suites.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash scripts/setup.sh || { echo "setup failed"; echo "0 passed, 1 failed"; exit 1; }

. scripts/xvfb.sh
brivane_ensure_display

jobs=${BRIVANE_JOBS:-$(nproc)}
passed=0
failed=0

run_suite() {
  local preset=$1
  echo "== $preset: configure and build"
  if ! cmake --preset "$preset" >"build/$preset.log" 2>&1 ||
     ! cmake --build --preset "$preset" -j "$jobs" >>"build/$preset.log" 2>&1; then
    tail -n 60 "build/$preset.log"
    echo "== $preset: build FAILED"
    failed=$((failed + 1))
    return
  fi
  echo "== $preset: tests"
  local out
  out=$(mktemp)
  (cd "build/$preset" && ctest -j "$jobs" --output-on-failure --timeout 900) 2>&1 | tee "$out"
  local total bad
  total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$out" | tail -n 1)
  bad=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1/p' "$out" | tail -n 1)
  if [ -z "$total" ]; then
    if grep -q "No tests were found" "$out"; then total=0; bad=0; else total=1; bad=1; fi
  fi
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  rm -f "$out"
}

mkdir -p build
run_suite native
run_suite windows

# Leave no Wine server behind in the test prefixes.
for p in build/windows/wineprefix; do
  [ -d "$p" ] && WINEPREFIX="$top/$p" wineserver -k >/dev/null 2>&1
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
