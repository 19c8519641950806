#!/usr/bin/env bash
# scripts/run.sh reports a program that does not show its main window as a
# failure, with a reason, and never prints a screenshot for it; a message box
# captioned as the program is not its main window; a crash fails it, with a
# display and without, before its window shows and after; it ends its own
# program, not the others of the Wine prefix. A program that
# crashes under scripts/wine-run.sh ends at once with a non-zero status and
# Wine's line naming the fault, instead of waiting on Wine's crash dialog.
# Arguments: a program whose DLL is missing, a program that shows no window,
# a program that crashes, one that shows only a message box, one that
# crashes after its window shows.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
needs_dll=$1
no_window=$2
crashes=$3
message_box=$4
crashes_later=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect_failure NAME PATTERN [VAR=VALUE...] -- EXE: run.sh must exit
# non-zero, print PATTERN and print no screenshot.
expect_failure() {
  local name=$1 pattern=$2; shift 2
  local envs=()
  while [ "$1" != -- ]; do envs+=("$1"); shift; done
  shift
  local out status=0
  out=$(env -u DISPLAY "${envs[@]}" BRIVANE_EXE="$1" bash "$top/scripts/run.sh" 2>&1 </dev/null) || status=$?
  if [ "$status" -eq 0 ] || ! grep -q -- "$pattern" <<<"$out" || grep -q '^screenshot:' <<<"$out"; then
    echo "FAILED: $name (exit status $status), output:"
    sed 's/^/  | /' <<<"$out"
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

# A PE header of the given machine, nothing behind it.
pe_header() {
  { printf 'MZ'; head -c 58 /dev/zero; printf '\x40\0\0\0'; printf 'PE\0\0'; printf "$2"; head -c 64 /dev/zero; } >"$1"
}

printf 'not a program' >"$work/broken.exe"
expect_failure "a broken build" "not a Windows program" -- "$work/broken.exe"
expect_failure "a missing file" "not a Windows program" -- "$work/absent.exe"

pe_header "$work/i386.exe" '\x4c\x01'
pe_header "$work/amd64.exe" '\x64\x86'
. "$top/scripts/wine-env.sh"
for pair in i386.exe:32 amd64.exe:64; do
  got=$(brivane_pe_bits "$work/${pair%%:*}")
  if [ "$got" != "${pair##*:}" ]; then
    echo "FAILED: machine field of ${pair%%:*} read as '$got'"; failures=$((failures + 1))
  fi
done
if BRIVANE_NO_32BIT=1 brivane_runs_32bit; then
  echo "FAILED: BRIVANE_NO_32BIT=1 still runs 32-bit programs"; failures=$((failures + 1))
fi
expect_failure "a 32-bit program where none run" "cannot run 32-bit programs" BRIVANE_NO_32BIT=1 -- "$work/i386.exe"

expect_failure "a program whose DLL is missing" "exit status" -- "$needs_dll"
expect_failure "a program whose DLL is missing, named by Wine" "brivane_absent.dll" -- "$needs_dll"
# A bystander in the same prefix (a test's program, say) outlives the
# programs run.sh ends.
env -u DISPLAY bash "$top/scripts/wine-run.sh" "$no_window" >/dev/null 2>&1 </dev/null &
bystander=$!
expect_failure "a program that shows no window" "no main window" BRIVANE_RUN_WAIT=3 -- "$no_window"
expect_failure "a message box captioned Brivane" "no main window" BRIVANE_RUN_WAIT=3 -- "$message_box"
if ! kill -0 "$bystander" 2>/dev/null; then
  echo "FAILED: run.sh ended another program of the prefix"
  failures=$((failures + 1))
else
  echo "ok: run.sh ends its own program only"
fi
kill "$bystander" 2>/dev/null
wait "$bystander" 2>/dev/null
expect_failure "a crash after the window shows" "crashed (exit status [1-9][0-9]*) after its main window showed" \
  -- "$crashes_later"
. "$top/scripts/xvfb.sh"
display=$(brivane_ensure_display && echo "$DISPLAY")
expect_failure "a crash, with a display" "crashed" DISPLAY="$display" -- "$crashes"
expect_failure "a crash after the window shows, with a display" "crashed" DISPLAY="$display" -- "$crashes_later"

status=0
out=$(env -u DISPLAY timeout 60 bash "$top/scripts/wine-run.sh" "$crashes" 2>&1) || status=$?
if [ "$status" -eq 0 ] || [ "$status" -eq 124 ] || ! grep -q '^wine: Unhandled page fault' <<<"$out"; then
  echo "FAILED: a crashing program (exit status $status; 124: it waited on the crash dialog), output:"
  sed 's/^/  | /' <<<"$out"
  failures=$((failures + 1))
else
  echo "ok: a crashing program ends at once, with Wine's line naming the fault"
fi

echo "$failures failed"
[ "$failures" -eq 0 ]
