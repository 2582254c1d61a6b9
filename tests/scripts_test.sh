#!/usr/bin/env bash
# What the scripts promise and a slip would break without a word: build-deb.sh empties no folder
# but its own, and with-display.sh hands back the test's status and takes its X server along
# however the run ends.
. "$(dirname "$0")/../scripts/common.sh"
scratch=$(mktemp -d) run=""
trap 'kill "$run" 2>/dev/null || true; rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# Any rm that build-deb.sh reaches is this one, which removes nothing: a guard that gave way is
# a failure here, not a lost folder.
mkdir -p "$scratch/bin" "$scratch/theirs"
touch "$scratch/theirs/keep"
printf '#!/bin/sh\necho "$*" >>"%s/removed"\nexit 1\n' "$scratch" >"$scratch/bin/rm"
chmod +x "$scratch/bin/rm"
for folder in / "$repo" "$repo/scripts/.." "$scratch/theirs"; do
  if PATH="$scratch/bin:$PATH" bash "$repo/scripts/build-deb.sh" "$folder" 2>/dev/null; then fail "build-deb.sh went on with $folder"; fi
done
[ ! -f "$scratch/removed" ] || fail "build-deb.sh ran rm on: $(cat "$scratch/removed")"

display="$repo/tests/with-display.sh"
status=0
"$display" sh -c 'exit 7' || status=$?
[ "$status" -eq 7 ] || fail "with-display.sh exited $status for a test that exited 7"

# Once a signal ends the run, the script's Xvfb is gone too. Each wait is the suite's one
# patience at most, read where the C++ tests take it from.
patience=$(sed -n 's/^const double patience = \([0-9]*\);.*/\1/p' "$repo/tests/support.h")
[ -n "$patience" ] || { echo "no patience in tests/support.h" >&2; exit 1; }
gone_within() { local i; for ((i = 0; i < patience * 10; i++)); do ! kill -0 "$1" 2>/dev/null && return 0; sleep 0.1; done; return 1; }
for signal in TERM INT; do
  (trap - INT; exec "$display" sh -c "echo \"\$DISPLAY\" >'$scratch/display'; exec sleep 600") &
  run=$!
  for ((i = 0; i < patience * 10; i++)); do [ -s "$scratch/display" ] && break; sleep 0.1; done
  server=$(pgrep -P "$run" -x Xvfb) || { fail "no Xvfb started by with-display.sh"; continue; }
  kill -"$signal" "$run"
  gone_within "$run" || fail "with-display.sh still running after SIG$signal"
  gone_within "$server" || fail "with-display.sh left its Xvfb ($server) running after SIG$signal"
  rm -f "$scratch/display"
done

[ "$failures" -eq 0 ] || exit 1
echo "build-deb.sh and with-display.sh kept their promises"
