# Sourced by the script tests: a verdict that once depended on chance (Wine
# ended a crash with status 0 in about a third of runs) is asked many times.
#
# brivane_expect_repeated_failure NAME N PATTERN COMMAND...: runs COMMAND N
# times, four at a time; every run must exit non-zero and print PATTERN.
# Prints "ok: NAME" or what failed (with the output of the first run that
# did not), and returns non-zero in that case.
brivane_expect_repeated_failure() {
  local name=$1 n=$2 pattern=$3
  shift 3
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
      shown="run $i (exit status $(cat "$dir/$i.status")), output:
$(sed 's/^/  | /' "$dir/$i.out")"
    fi
  done
  rm -rf "$dir"
  if [ "$failed" -ne "$n" ]; then
    echo "FAILED: $name: failed in $failed of $n runs; $shown"
    return 1
  fi
  echo "ok: $name: failed in $n of $n runs"
}
