#!/usr/bin/env bash
# Holds the packages that packaging/build-deb.sh built in FOLDER to Debian's own tools: lintian on
# the source and binary packages, then appstreamcli, desktop-file-validate and man on the files
# as the .deb installs them. Any error or warning fails.
# Usage: check-package.sh FOLDER
. "$(dirname "$0")/../scripts/common.sh"
folder=$1
step "running lintian on $folder"
lintian --fail-on error,warning "$folder"/grimfathom_*.changes

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
step "unpacking the .deb"
dpkg-deb -x "$folder"/grimfathom_*.deb "$root"
step "validating the AppStream metadata"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
# These two report warnings and hints but exit 0 on them, so any output counts as a failure.
step "validating the desktop entry and the manual"
complaints=$(desktop-file-validate "$root"/usr/share/applications/*.desktop 2>&1) || true
complaints+=$(man --warnings -l "$root"/usr/share/man/man6/grimfathom.6.gz 2>&1 >/dev/null) || true
[ -z "$complaints" ] || { echo "$complaints"; exit 1; }
echo "lintian, appstreamcli, desktop-file-validate and man found nothing to complain about"
