# Sourced by scripts/test.sh: runs the ctest suite of one build folder and
# counts it. Every test runs through scripts/run-test.sh, which judges it
# and gives the window tests their second run.
#
# brivane_run_suite LABEL FOLDER [CTEST ARGUMENTS...] prints ctest's output,
# then a line for each test that passed only on its second run; it adds the
# tests that passed to suite_passed and those that failed to suite_failed,
# and appends "LABEL: NAME (its first run: ...)" to the array
# suite_second_runs. A suite in which ctest finds no test, or whose ctest
# ends without its summary, counts as one failed test.
suite_passed=0
suite_failed=0
suite_second_runs=()

brivane_run_suite() {
  local label=$1 folder=$2
  shift 2
  local out second_runs
  out=$(mktemp)
  second_runs=$(mktemp)
  (cd "$folder" && BRIVANE_SECOND_RUNS=$second_runs ctest --output-on-failure "$@") 2>&1 | tee "$out"
  local total bad
  total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$out" | tail -n 1)
  bad=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1/p' "$out" | tail -n 1)
  if [ -z "$total" ] || [ "$total" -eq 0 ]; then
    if grep -q "No tests were found" "$out"; then
      echo "== $label: FAILED: ctest found no test"
    else
      echo "== $label: FAILED: ctest ended without its summary"
    fi
    total=1
    bad=1
  fi
  local line
  while IFS= read -r line; do
    echo "== $label: passed only on its second run: $line"
    suite_second_runs+=("$label: $line")
  done <"$second_runs"
  suite_passed=$((suite_passed + total - bad))
  suite_failed=$((suite_failed + bad))
  rm -f "$out" "$second_runs"
}

# Prints the line that names every test that passed only on its second run
# (test.sh's last line but one).
brivane_second_runs_line() {
  if [ "${#suite_second_runs[@]}" -eq 0 ]; then
    echo "0 passed only on a second run"
    return
  fi
  local joined
  joined=$(printf '; %s' "${suite_second_runs[@]}")
  echo "${#suite_second_runs[@]} passed only on a second run: ${joined#; }"
}
