# Sourced by the script tests: a verdict that once depended on chance (Wine
# ended a crash with status 0 in about a third of runs) is asked many times.
#
# brivane_repeat_failures N PATTERN COMMAND...: runs COMMAND N times, four
# at a time, and prints how many of the runs exited non-zero and printed
# PATTERN; the output of the first run that did not goes to stderr.
brivane_repeat_failures() {
  local n=$1 pattern=$2
  shift 2
  local dir i failed=0 shown=""
  dir=$(mktemp -d)
  for i in $(seq "$n"); do
    { "$@" >"$dir/$i.out" 2>&1 </dev/null; echo $? >"$dir/$i.status"; } &
    if [ $((i % 4)) -eq 0 ]; then wait; fi
  done
  wait
  for i in $(seq "$n"); do
    if [ "$(cat "$dir/$i.status")" -ne 0 ] && grep -q -- "$pattern" "$dir/$i.out"; then
      failed=$((failed + 1))
    elif [ -z "$shown" ]; then
      shown=1
      echo "run $i of $n (exit status $(cat "$dir/$i.status")), output:" >&2
      sed 's/^/  | /' "$dir/$i.out" >&2
    fi
  done
  rm -rf "$dir"
  echo "$failed"
}
