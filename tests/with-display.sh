#!/usr/bin/env bash
# Runs one test process on an X server of its own, so held keys never leak between tests,
# and with OpenAL Soft on its null backend unless the test chose one.
set -u
tmp=$(mktemp -d)
Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>"$tmp/display" 2>/dev/null &
xvfb=$!
# A loaded machine can take many seconds to start a server; an idle one takes a tenth.
for _ in $(seq 600); do [ -s "$tmp/display" ] && break; sleep 0.05; done
if [ ! -s "$tmp/display" ]; then echo "Xvfb did not start" >&2; kill $xvfb 2>/dev/null; exit 1; fi
export DISPLAY=":$(head -n1 "$tmp/display")"
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
"$@"
status=$?
kill $xvfb 2>/dev/null
wait $xvfb 2>/dev/null
rm -rf "$tmp"
exit $status
