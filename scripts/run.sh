#!/usr/bin/env bash
# Installs what is missing, builds the Windows programs, and starts Brivane
# under Wine on the given file (or on the bundled sample): the 32-bit program
# where this machine runs 32-bit programs, the 64-bit one otherwise.
# With no display it runs on Xvfb, waits for Brivane's main window, saves a
# screenshot and prints its path, and ends the program; when no window shows
# it says why and exits non-zero.
# BRIVANE_EXE names another program to start instead of building Brivane (the
# script's own tests use it); BRIVANE_RUN_WAIT is how many seconds to wait.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
. scripts/wine-env.sh

bash scripts/setup.sh

exe=${BRIVANE_EXE:-}
if [ -z "$exe" ]; then
  if brivane_runs_32bit; then preset=windows; else preset=windows64; fi
  if [ ! -f "build/$preset/build.ninja" ]; then
    cmake --preset "$preset" >/dev/null
  fi
  cmake --build --preset "$preset" --target brivane23 BrivanenD -j "$(nproc)" >/dev/null
  exe=$top/build/$preset/bin/brivane23.exe
fi

bits=$(brivane_pe_bits "$exe") || {
  echo "run: cannot start $exe: it is not a Windows program (a broken build?)" >&2
  exit 1
}
if [ "$bits" = 32 ] && ! brivane_runs_32bit; then
  echo "run: cannot start $exe: this machine cannot run 32-bit programs" >&2
  exit 1
fi
# The program's Wine prefix lives in the build folder of its width.
if [ "$bits" = 64 ]; then build_dir=$top/build/windows64; else build_dir=$top/build/windows; fi
export BRIVANE_BUILD_DIR=${BRIVANE_BUILD_DIR:-$build_dir}

file=${1:-}
if [ -z "$file" ] && [ -z "${BRIVANE_EXE:-}" ] && [ -f samples/sample.bvx ]; then
  file=$top/samples/sample.bvx
fi
args=()
if [ -n "$file" ]; then
  # Wine sees the Linux root as drive Z:.
  path=$(readlink -f "$file")
  args+=("Z:${path//\//\\}")
fi

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run.sh "$exe" "${args[@]}"
fi

# No display: run on Xvfb and take a picture of the screen once the main
# window shows. Wine's error lines go to a log, to say why when it does not.
. scripts/xvfb.sh
brivane_ensure_display
log=$(mktemp)
shot=$top/build/brivane-screenshot.png
mkdir -p "$top/build"
rm -f "$shot"
WINEDEBUG=${WINEDEBUG:-fixme-all} scripts/wine-run.sh "$exe" "${args[@]}" >"$log" 2>&1 &
pid=$!

stop_program() {
  brivane_wine_env "$bits" "${WINEPREFIX:-$BRIVANE_BUILD_DIR/wineprefix}"
  "$WINESERVER" -k >/dev/null 2>&1 || true
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

fail() {
  echo "run: $1" >&2
  if [ -s "$log" ]; then
    echo "run: Wine's last lines:" >&2
    grep -v '^$' "$log" | tail -n 12 | sed 's/^/  /' >&2
  fi
  rm -f "$log"
  exit 1
}

shown=""
for _ in $(seq $(( ${BRIVANE_RUN_WAIT:-60} * 2 ))); do
  if ! kill -0 "$pid" 2>/dev/null; then
    status=0
    wait "$pid" || status=$?
    fail "$exe ended with exit status $status before its main window showed"
  fi
  if xwininfo -root -tree 2>/dev/null | grep -q '"Brivane'; then
    shown=1
    break
  fi
  sleep 0.5
done
if [ -z "$shown" ]; then
  stop_program
  fail "no main window of $exe showed within ${BRIVANE_RUN_WAIT:-60} seconds"
fi

sleep 3
import -window root "$shot"
alive=1
kill -0 "$pid" 2>/dev/null || alive=""
stop_program
# A screen of one colour shows no program.
colours=$(identify -format '%k' "$shot" 2>/dev/null || echo 0)
if [ -z "$alive" ] || [ "${colours:-0}" -le 1 ]; then
  rm -f "$shot"
  fail "the main window of $exe showed, but the screen holds no picture of it"
fi
rm -f "$log"
echo "screenshot: $shot"
