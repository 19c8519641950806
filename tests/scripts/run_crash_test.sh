#!/usr/bin/env bash
# scripts/run.sh's verdict on a program that crashes as it starts never
# rests on Wine's status (which once said 0 for a crash in a third of
# runs): it fails ten times of ten, with a display and without. The program
# shows no window, so this runs beside the window tests.
# Argument: the program that crashes.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
crashes=$1
failures=0
. "$top/tests/scripts/repeat.sh"
. "$top/scripts/xvfb.sh"
display=$(brivane_ensure_display && echo "$DISPLAY")
for with in "" "$display"; do
  if [ -n "$with" ]; then label="with a display"; else label="without a display"; fi
  brivane_expect_repeated_failure "run.sh on a crash, $label" "${BRIVANE_CRASH_RUNS:-10}" \
    "crashed (exit status [1-9][0-9]*)" \
    env -u DISPLAY ${with:+DISPLAY=$with} BRIVANE_EXE="$crashes" bash "$top/scripts/run.sh" ||
    failures=$((failures + 1))
done
echo "$failures failed"
[ "$failures" -eq 0 ]
