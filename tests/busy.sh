#!/usr/bin/env bash
# Runs a built suite RUNS times beside two busy loops, one per core of a small machine, and
# lists the tests each run failed; fails if any run did. Usage: busy.sh RUNS BUILD_FOLDER
# The suite runs with the caller's environment, the sanitizer options for `SUITE=sanitize`.
. "$(dirname "$0")/../scripts/common.sh"
runs=${1:-3}
build=${2:-build}

hogs=()
stop_hogs() { for pid in "${hogs[@]}"; do kill "$pid" 2>/dev/null || true; done; }
# The loops must not outlive the script, however it ends; Ctrl-C runs the EXIT trap too.
trap stop_hogs EXIT
trap 'exit 130' INT TERM
for _ in 1 2; do
  (while :; do :; done) &
  hogs+=($!)
done

failed=0
for run in $(seq "$runs"); do
  log="$build/busy-run-$run.log"
  started=$SECONDS
  if (cd "$build" && ctest --output-on-failure --no-tests=error -j2 >"${log##*/}" 2>&1); then
    echo "run $run of $runs: passed in $((SECONDS - started)) s"
  else
    failed=$((failed + 1))
    echo "run $run of $runs: FAILED in $((SECONDS - started)) s (log: $log)"
    # ctest's list of failed tests, or the end of the log when it ran none
    if grep -q 'The following tests FAILED' "$log"; then sed -n '/The following tests FAILED/,$p' "$log"; else tail -n 15 "$log"; fi
  fi
done
echo "$((runs - failed)) of $runs runs passed beside two busy loops"
[ "$failed" -eq 0 ] || exit 1
