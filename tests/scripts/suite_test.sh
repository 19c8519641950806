#!/usr/bin/env bash
# scripts/test.sh's count of a suite (scripts/suite.sh), on made-up test
# executables judged by scripts/run-test.sh as the real ones are: a run that
# ends with status 0 but without its summary (a crash under Wine's
# debugger) fails, and so does one with a failed test whatever its status;
# a test that passes only on its second run is counted passed and named; a
# suite with no tests fails.
# Argument: cmake.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
cmake=${1:-cmake}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# A made-up test executable that acts as its name says, writing the
# summary tests/TestMain.cpp writes.
cat >"$work/fake" <<'FAKE'
#!/usr/bin/env bash
summary() { printf "$1" >"$BRIVANE_TEST_SUMMARY"; }
case $(basename "$0") in
  passes) summary 'ran 2 failed 0\n'; exit 0 ;;
  fails) summary 'ran 2 failed 1\nfailed A.Fails\n'; exit 1 ;;
  silent_zero) exit 0 ;;
  status_after_pass) summary 'ran 2 failed 0\n'; exit 3 ;;
  zero_after_failure) summary 'ran 2 failed 1\nfailed A.Fails\n'; exit 0 ;;
  crash_told) summary 'crashed in A.Crash: exception 0xC0000005 at 0x1\n'; exit 5 ;;
  fails_twice) summary 'ran 2 failed 1\nfailed A.AfterB\n'; exit 1 ;;
  flaky)
    if [ -f "$(dirname "$0")/flaky.ran" ]; then summary 'ran 1 failed 0\n'; exit 0; fi
    touch "$(dirname "$0")/flaky.ran"
    echo "A.Flaky: what went wrong"
    summary 'ran 1 failed 1\nfailed A.Flaky\n'
    exit 1 ;;
esac
exit 2
FAKE
mkdir -p "$work/src" "$work/empty"
for t in passes fails silent_zero status_after_pass zero_after_failure crash_told fails_twice flaky; do
  cp "$work/fake" "$work/$t"
  chmod +x "$work/$t"
done
{
  echo 'cmake_minimum_required(VERSION 3.16)'
  echo 'project(fake NONE)'
  echo 'enable_testing()'
  for t in passes fails silent_zero status_after_pass zero_after_failure crash_told; do
    echo "add_test(NAME $t COMMAND bash $top/scripts/run-test.sh $work/$t)"
  done
  for t in fails_twice flaky; do
    echo "add_test(NAME $t COMMAND bash $top/scripts/run-test.sh --second-run $work/$t)"
  done
} >"$work/src/CMakeLists.txt"
printf 'cmake_minimum_required(VERSION 3.16)\nproject(empty NONE)\nenable_testing()\n' >"$work/empty/CMakeLists.txt"
"$cmake" -S "$work/src" -B "$work/build" >/dev/null || { echo "FAILED: configure"; exit 1; }
"$cmake" -S "$work/empty" -B "$work/build-empty" >/dev/null || { echo "FAILED: configure"; exit 1; }

check() {
  if [ "$2" != "$3" ]; then
    echo "FAILED: $1: '$2', not '$3'"
    failures=$((failures + 1))
  else
    echo "ok: $1"
  fi
}

. "$top/scripts/suite.sh"
brivane_run_suite fake "$work/build" -j 4 >"$work/out" 2>&1
out=$(cat "$work/out")
check "tests passed" "$suite_passed" 2
check "tests failed" "$suite_failed" 6
check "the line before the last" "$(brivane_second_runs_line)" \
  "1 passed only on a second run: fake: flaky (its first run: A.Flaky failed; its output: $work/flaky.first-run.log)"
check "the suite's line" "$(grep '^== fake: passed only' <<<"$out")" \
  "== fake: passed only on its second run: flaky (its first run: A.Flaky failed; its output: $work/flaky.first-run.log)"
check "the first run's output is kept" "$(cat "$work/flaky.first-run.log" 2>/dev/null)" "A.Flaky: what went wrong"
for reason in "silent_zero FAILED: it ended with exit status 0 before its tests' end" \
              "status_after_pass FAILED: every test passed, but it ended with exit status 3" \
              "zero_after_failure FAILED: A.Fails failed" \
              "crash_told FAILED: it crashed in A.Crash: exception 0xC0000005 at 0x1 (exit status 5)" \
              "fails_twice FAILED: A.AfterB failed; its first run: A.AfterB failed"; do
  check "told: ${reason%% *}" "$(grep -c -F -- "== $reason" <<<"$out")" 1
done

suite_passed=0 suite_failed=0 suite_second_runs=()
brivane_run_suite empty "$work/build-empty" >"$work/out" 2>&1
out=$(cat "$work/out")
check "a suite with no tests fails" "$suite_passed/$suite_failed" 0/1
check "and says so" "$(grep -c '^== empty: FAILED: ctest found no test' <<<"$out")" 1
check "no second runs" "$(brivane_second_runs_line)" "0 passed only on a second run"

echo "$failures failed"
[ "$failures" -eq 0 ]
