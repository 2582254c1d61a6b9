#!/usr/bin/env bash
# Runs one test process on an X server of its own, so held keys never leak between tests, and
# silent unless the test chose where its sound goes: OpenAL Soft (SFML 2) on its null backend,
# and ALSA and PulseAudio offering SFML 3's miniaudio no device, so it plays on a silent one of
# its own. Exits with the test's status.
. "$(dirname "$0")/../scripts/common.sh"

xvfb="" test=""
# However the run ends, the server goes with it (and the test, if a signal cut it short).
stop() {
  [ -z "$test" ] || kill "$test" 2>/dev/null || true
  [ -z "$xvfb" ] || { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; } || true
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The server writes its display number down a pipe: no file to leave behind. A loaded machine can
# take many seconds to start one; an idle one takes a tenth.
exec {numbers}< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb=$!
read -r -t 30 -u "$numbers" number || { echo "Xvfb did not start" >&2; exit 1; }
exec {numbers}<&-
export DISPLAY=":$number"
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}" ALSA_CONFIG_PATH="${ALSA_CONFIG_PATH:-/dev/null}"
export PULSE_SERVER="${PULSE_SERVER:-unix:/nonexistent}"

# In the background, so that a signal to this script is handled at once. Without job control
# bash would have the test ignore Ctrl-C and read from /dev/null; it keeps both as they were.
(trap - INT QUIT; exec "$@") <&0 &
test=$!
status=0
wait "$test" || status=$?
test=""
exit "$status"
