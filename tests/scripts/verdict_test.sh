#!/usr/bin/env bash
# scripts/run-test.sh's verdict on a test executable (verdict_probe, a
# Windows program in the Windows builds): a crash, an exit inside a test and
# a run that selects nothing fail; a test that fails only after another one
# fails its second run too; a test that fails once passes its second run,
# which is named; only --second-run gives one. Under Wine the crash is
# judged twenty times.
# Argument: the probe.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
probe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0

# expect NAME STATUS PATTERN [run-test.sh arguments...]: the run ends with
# STATUS (0 or "fail") and prints PATTERN.
expect() {
  local name=$1 want=$2 pattern=$3; shift 3
  local status=0
  out=$(bash "$top/scripts/run-test.sh" "$@" 2>&1) || status=$?
  if { [ "$want" = 0 ] && [ "$status" -ne 0 ]; } || { [ "$want" != 0 ] && [ "$status" -eq 0 ]; } ||
     ! grep -q -- "$pattern" <<<"$out"; then
    echo "FAILED: $name (exit status $status), output:"
    sed 's/^/  | /' <<<"$out"
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

expect "a passing run" 0 "" "$probe" --gtest_filter=Probe.*
. "$top/scripts/wine-env.sh"
if brivane_pe_bits "$probe" >/dev/null; then
  # Under Wine the crash is told, with its backtrace, whatever Wine's status.
  expect "a crash" fail "FAILED: it crashed in Crash.ReadsThroughANullPointer: exception 0xC0000005" \
    "$probe" --gtest_filter=Crash.*
  if ! grep -q "^Backtrace:" <<<"$out"; then
    echo "FAILED: the crash's output holds no backtrace"
    failures=$((failures + 1))
  fi
  . "$top/tests/scripts/repeat.sh"
  brivane_expect_repeated_failure "a crash, judged again and again" "${BRIVANE_CRASH_RUNS:-20}" \
    "FAILED: it crashed in Crash.ReadsThroughANullPointer" \
    bash "$top/scripts/run-test.sh" "$probe" --gtest_filter=Crash.* || failures=$((failures + 1))
else
  # The sanitizers end the run.
  expect "a crash" fail "FAILED: it ended with exit status [1-9][0-9]* before its tests' end" \
    "$probe" --gtest_filter=Crash.*
fi
expect "an exit inside a test" fail "FAILED: it exited early in Exit.InsideATest" "$probe" --gtest_filter=Exit.*
expect "a run that selects no test" fail "FAILED: it selected no test" "$probe" --gtest_filter=NoSuchSuite.*
expect "a test that fails after another, twice" fail \
  "FAILED: Order.FailsAfterFirst failed; its first run: Order.FailsAfterFirst failed" \
  --second-run "$probe" --gtest_filter=Order.*

export BRIVANE_PROBE_MARKER=flaky-marker BRIVANE_SECOND_RUNS=$work/second-runs
expect "a test that fails once, without a second run" fail "FAILED: Flaky.FailsOnceThenPasses failed" \
  "$probe" --gtest_filter=Flaky.*
rm -f flaky-marker
expect "a test that fails once, with a second run" 0 "passed only on its second run" \
  --second-run "$probe" --gtest_filter=Flaky.*
want="verdict_probe (its first run: Flaky.FailsOnceThenPasses failed; its output: $(dirname "$probe")/verdict_probe.first-run.log)"
if [ "$(cat "$BRIVANE_SECOND_RUNS" 2>/dev/null)" != "$want" ]; then
  echo "FAILED: the second run is named as '$(cat "$BRIVANE_SECOND_RUNS" 2>/dev/null)', not '$want'"
  failures=$((failures + 1))
fi

echo "$failures failed"
[ "$failures" -eq 0 ]
