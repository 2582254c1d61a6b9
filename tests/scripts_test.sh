#!/usr/bin/env bash
# What the scripts promise and a slip would break without a word: build-deb.sh empties no folder
# but its own, setup.sh without apt names what playing lacks, and with-display.sh hands back the
# test's status and takes its X server along however the run ends.
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
  if PATH="$scratch/bin:$PATH" bash "$repo/packaging/build-deb.sh" "$folder" 2>/dev/null; then fail "build-deb.sh went on with $folder"; fi
done
[ ! -f "$scratch/removed" ] || fail "build-deb.sh ran rm on: $(cat "$scratch/removed")"

# Without apt, setup.sh looks for what playing needs itself: quiet when all is there, else one
# message that names what is missing and nothing else. Shims hide apt-get and dpkg-query.
shims="$scratch/shims"
mkdir -p "$shims"
for dir in /usr/local/bin /usr/bin /bin /usr/sbin /sbin; do
  find "$dir/" -maxdepth 1 -xtype f -exec cp --symbolic-link --no-clobber -t "$shims" {} +
done
rm -f "$shims/apt-get" "$shims/dpkg-query"
without_apt() { env PATH="$shims" "$@" bash "$repo/scripts/setup.sh" play 2>&1; }
lacks() {    # lacks WHAT MESSAGE: whether the message names what WHAT names among playing's needs, and no other
  local need
  for need in "a C++17 compiler" "CMake 3.18+" "pkg-config" "SFML 2.5+ or 3" "the X11 headers"; do
    [ "$(grep -cF "$need" <<<"$1")" = "$(grep -cF "$need" <<<"$2")" ] || return 1
  done
}
message=$(without_apt) || fail "setup.sh without apt stopped with everything in place: $message"
[ -z "$message" ] || fail "setup.sh without apt said, with everything in place: $message"
rm "$shims/cmake"
printf '#!/bin/sh\necho "cmake version 3.16.3"\n' >"$shims/cmake"
chmod +x "$shims/cmake"
if message=$(without_apt); then fail "setup.sh without apt went on with CMake 3.16"; fi
lacks "CMake 3.18+" "$message" || fail "for CMake 3.16, setup.sh without apt said: $message"
ln -sf "$(command -v cmake)" "$shims/cmake"
if message=$(without_apt PKG_CONFIG_LIBDIR=/nonexistent); then fail "setup.sh without apt went on without SFML"; fi
lacks "SFML 2.5+ or 3, the X11 headers" "$message" || fail "for no SFML and no X11, setup.sh without apt said: $message"

display="$repo/tests/with-display.sh"
status=0
"$display" sh -c 'exit 7' || status=$?
[ "$status" -eq 7 ] || fail "with-display.sh exited $status for a test that exited 7"

# Once a signal ends the run, the script's Xvfb is gone too. Each wait is the suite's one
# patience at most, in seconds.
patience=$(cat "$repo/tests/patience-seconds")
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
echo "build-deb.sh, setup.sh and with-display.sh kept their promises"
