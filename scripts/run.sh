#!/usr/bin/env bash
# Installs what is missing, builds the Windows programs, and starts Brivane
# under Wine on the given file (or on the bundled sample): the 32-bit program
# where this machine runs 32-bit programs, the 64-bit one otherwise.
# With a display it runs until the program ends, and fails when it crashed
# or ended with an error status. With no display it runs on Xvfb, waits for
# Brivane's main window with the document, watches it for a few seconds,
# saves a screenshot and prints its path, and ends the program; when no
# window shows, or the program crashes or ends meanwhile, it says why and
# exits non-zero.
# BRIVANE_EXE names another program to start instead of building Brivane (the
# script's own tests use it); BRIVANE_RUN_WAIT is how many seconds to wait
# for the window, BRIVANE_RUN_WATCH how many to watch it.
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

# A crash is a failure, with or without a display: Wine's line that names
# it, or the program's status (never 0 for a crash: scripts/wine-run.sh
# starts no debugger, which could end it with 0).
crashed() {
  grep -q '^wine: Unhandled' "$1"
}

if [ -n "${DISPLAY:-}" ]; then
  # The program's own terminal output, as it comes; its errors also go to a
  # log for the verdict.
  log=$(mktemp)
  { { scripts/wine-run.sh "$exe" "${args[@]}" 2>&1 1>&3 3>&- && echo 0 >"$log.status" ||
      echo $? >"$log.status"; } | tee "$log" >&2; } 3>&1
  status=$(cat "$log.status" 2>/dev/null || echo 1)
  rm -f "$log.status"
  if crashed "$log"; then
    rm -f "$log"
    echo "run: $exe crashed (exit status $status)" >&2
    exit 1
  fi
  rm -f "$log"
  if [ "$status" -ne 0 ]; then
    echo "run: $exe ended with exit status $status" >&2
    exit 1
  fi
  exit 0
fi

# No display: run on Xvfb and take a picture of the screen once the main
# window shows with the document. Wine's error lines go to a log, to say why
# when it does not.
. scripts/xvfb.sh
brivane_ensure_display
log=$(mktemp)
shot=$top/build/brivane-screenshot.png
mkdir -p "$top/build"
rm -f "$shot"
WINEDEBUG=${WINEDEBUG:-fixme-all} scripts/wine-run.sh "$exe" "${args[@]}" >"$log" 2>&1 &
pid=$!

# Ends the program alone (its Wine process is $pid, once wine-run.sh has
# started it): the prefix's other programs, a test suite's for one, go on.
stop_program() {
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 20); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.25
  done
  kill -9 "$pid" 2>/dev/null || true
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

# The main frame with a document, captioned "Brivane - " and the document's
# title: a message box of the program, captioned "Brivane" alone, is not it,
# nor is the frame without a document (the file did not open).
main_frame_shows() {
  xwininfo -root -tree 2>/dev/null | grep -F '"Brivane - ' >/dev/null
}

# Ended by itself: the verdict and the reason.
ended() {
  local status=0
  wait "$pid" || status=$?
  if crashed "$log"; then
    fail "$exe crashed (exit status $status) $1"
  fi
  fail "$exe ended with exit status $status $1"
}

shown=""
for _ in $(seq $(( ${BRIVANE_RUN_WAIT:-60} * 2 ))); do
  kill -0 "$pid" 2>/dev/null || ended "before its main window showed"
  if main_frame_shows; then
    shown=1
    break
  fi
  sleep 0.5
done
if [ -z "$shown" ]; then
  stop_program
  fail "no main window of $exe with a document showed within ${BRIVANE_RUN_WAIT:-60} seconds"
fi

# The program is watched for a while with its document open (and has drawn
# it by then): a crash meanwhile fails the run.
for _ in $(seq $(( ${BRIVANE_RUN_WATCH:-5} * 2 ))); do
  kill -0 "$pid" 2>/dev/null || ended "after its main window showed"
  sleep 0.5
done
import -window root "$shot"
kill -0 "$pid" 2>/dev/null || ended "after its main window showed"
stop_program
# A screen of one colour shows no program.
colours=$(identify -format '%k' "$shot" 2>/dev/null || echo 0)
if [ "${colours:-0}" -le 1 ]; then
  rm -f "$shot"
  fail "the main window of $exe showed, but the screen holds no picture of it"
fi
rm -f "$log"
echo "screenshot: $shot"
