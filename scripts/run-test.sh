#!/usr/bin/env bash
# Runs one test executable for ctest and gives its verdict. A run passes only
# when it exits 0 and its main wrote the summary of a finished run with no
# test failed (tests/TestMain.cpp writes it as its last act): a crash, an
# exit inside a test, or an end before the tests' end fails it whatever its
# exit status, which under Wine a crash does not always set.
# Windows programs run under scripts/wine-run.sh, the others as they are.
#
# With --second-run (the window tests), a run that fails gets one more: a
# fresh run of the whole executable, so that a failure that follows from an
# earlier test comes back. One that passes only then says so on stderr and
# in a line of the file BRIVANE_SECOND_RUNS names (scripts/test.sh names
# them all at its end).
#
# Usage: run-test.sh [--second-run] EXECUTABLE [ARGUMENTS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
second_run=""
if [ "${1:-}" = --second-run ]; then
  second_run=1
  shift
fi
exe=$1
shift
name=$(basename "$exe" .exe)

# shellcheck source=wine-env.sh
. "$here/wine-env.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/brivane-test-XXXXXX")
trap 'rm -rf "$work"' EXIT
summary=$work/summary
runner=()
if brivane_pe_bits "$exe" >/dev/null; then
  runner=(bash "$here/wine-run.sh")
  # Wine sees the Linux root as drive Z:.
  export BRIVANE_TEST_SUMMARY="Z:${summary//\//\\}"
else
  export BRIVANE_TEST_SUMMARY=$summary
fi

# One run of the executable; sets verdict, empty when it passed.
run_once() {
  rm -f "$summary"
  "${runner[@]}" "$exe" "$@" 2>&1 | tee "$work/output"
  local status=${PIPESTATUS[0]}
  local first=""
  [ -f "$summary" ] && first=$(head -n 1 "$summary" | tr -d '\r')
  verdict=""
  case "$first" in
    "ran 0 failed 0")
      verdict="it selected no test" ;;
    "ran "*" failed 0")
      [ "$status" -eq 0 ] || verdict="every test passed, but it ended with exit status $status" ;;
    "ran "*)
      verdict="$(sed -n 's/^failed //p' "$summary" | tr -d '\r' | tr '\n' ' ')failed" ;;
    "")
      verdict="it ended with exit status $status before its tests' end (it never started, or was ended)" ;;
    *)
      verdict="it $first (exit status $status)" ;;
  esac
}

run_once "$@"
if [ -n "$verdict" ] && [ -n "$second_run" ]; then
  first_verdict=$verdict
  # What the first run printed stays beside the executable, for the record.
  first_log=$(dirname "$exe")/$name.first-run.log
  cp "$work/output" "$first_log" 2>/dev/null || first_log=""
  echo "== $name: its run failed: $first_verdict; a second run, of the whole executable:" >&2
  run_once "$@"
  if [ -z "$verdict" ]; then
    record="$name (its first run: $first_verdict${first_log:+; its output: $first_log})"
    echo "== $record passed only on its second run" >&2
    if [ -n "${BRIVANE_SECOND_RUNS:-}" ]; then
      echo "$record" >>"$BRIVANE_SECOND_RUNS"
    fi
    exit 0
  fi
  verdict="$verdict; its first run: $first_verdict"
fi
if [ -n "$verdict" ]; then
  echo "== $name FAILED: $verdict" >&2
  exit 1
fi
exit 0
