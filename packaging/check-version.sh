#!/usr/bin/env bash
# Fails unless every place that names the game's release says VERSION of DATE, as CMakeLists.txt
# does: debian/changelog, the AppStream metadata and the manual page as CMake configured them,
# and the version the Makefile reads for the names of what it packages.
# Usage: check-version.sh VERSION DATE METAINFO MANPAGE
. "$(dirname "$0")/../scripts/common.sh"
version=$1 date=$2 metainfo=$3 manpage=$4

status=0
expect() {   # expect WHERE FOUND
  [ "$2" = "$3" ] || { echo "$1 says '$2', not '$3' as CMakeLists.txt has it" >&2; status=1; }
}

step "reading debian/changelog"
changelog() { dpkg-parsechangelog -l "$repo/debian/changelog" -S "$1"; }
expect "debian/changelog" "$(changelog Version) $(date -u -d "$(changelog Date)" +%F)" "$version $date"
step "reading the configured metadata and manual page"
expect "$metainfo" "$(sed -n 's/.*<release version="\([^"]*\)" date="\([^"]*\)".*/\1 \2/p' "$metainfo" | head -n1)" "$version $date"
expect "$manpage" "$(sed -n 's/^\.TH [^ ]* [^ ]* \([^ ]*\) "Grimfathom \([^"]*\)".*/\2 \1/p' "$manpage")" "$version $date"
step "asking the Makefile for the version it names the packages by"
expect "the Makefile's VERSION" "$(make -s --no-print-directory -C "$repo" --eval='shown-version: ; @echo $(VERSION)' shown-version)" "$version"
[ $status -ne 0 ] || echo "version $version of $date everywhere"
exit $status
