#!/bin/sh
# Starts Grimfathom from its own folder, beside its pictures and sounds, wherever it is installed or linked from.
set -e
launcher=$(readlink -f "$0")
cd "$(dirname "$launcher")/../lib/grimfathom/bin"
exec ./grimfathom "$@"
