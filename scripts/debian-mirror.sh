#!/usr/bin/env bash
# Prints the Debian archive this machine's own apt sources use, so that no host name is written
# into the repository. Usage: debian-mirror.sh [security]   (its security archive instead)
. "$(dirname "$0")/common.sh"
mirror=$({
  grep -hs '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list | sed -E 's/^deb +(\[[^]]*\] +)?//' || true
  awk '/^URIs:/ {uri = $2} /^Suites:/ {print uri, $2}' /etc/apt/sources.list.d/*.sources 2>/dev/null || true
} | awk -v want="${1:-}" '(want == "security") == ($2 ~ /-security$/) {print $1; exit}')
[ -n "$mirror" ] || { echo "debian-mirror.sh: no Debian ${1:+$1 }archive in this machine's apt sources" >&2; exit 1; }
echo "$mirror"
