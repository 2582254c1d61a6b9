#!/usr/bin/env bash
# Runs one fuzz target for SECONDS from its seeds and the corpus earlier runs left; findings go
# to BUILD/findings/KIND/. Hangs (2 s per input) and memory beyond 1 GB count as findings.
# Usage: run.sh BUILD SECONDS pictures|sounds [libFuzzer options...]
. "$(dirname "$0")/../scripts/common.sh"
build=$(realpath "$1") seconds=$2 kind=$3
shift 3
step "making the seeds"
[ -d "$build/seeds" ] || bash "$repo/fuzz/make-seeds.sh" "$repo/res" "$build/seeds"
mkdir -p "$build/corpus/$kind" "$build/findings/$kind"

# The game's code wants a display (textures need an OpenGL context): each run gets one of its own,
# and the silent sound that tests/with-display.sh sets.
# intercept_tls_get_addr=0 for the same runtime fault as the sanitizer suite (the Makefile's
# SANITIZER_ENV says why, and when it can go), and the suite's leak suppressions.
step "fuzzing the $kind"
target=$build/fuzz/${kind%s}_fuzzer
ASAN_OPTIONS=intercept_tls_get_addr=0 LSAN_OPTIONS=suppressions="$repo/tests/sanitizers/lsan.supp":print_suppressions=0 \
  "$repo/tests/with-display.sh" "$target" -max_total_time="$seconds" -timeout=2 -rss_limit_mb=1024 \
  -print_final_stats=1 -artifact_prefix="$build/findings/$kind/" "$@" \
  "$build/corpus/$kind" "$build/seeds/$kind"
