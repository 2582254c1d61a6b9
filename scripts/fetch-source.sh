#!/usr/bin/env bash
# Fetches Debian source packages and unpacks each into DIR, for the builds that compile libraries
# from Debian's sources. A private apt set-up in the cache lists the source archives of this
# machine's own Debian mirror; apt checks every file it downloads against the archive's index,
# whose signature it checks with debian-archive-keyring, so nothing unchecked is unpacked. The
# system's apt configuration is read but never changed.
# Usage: fetch-source.sh [--tar-only] DIR PACKAGE=VERSION|PACKAGE/SUITE...
#   --tar-only   the upstream tarball alone, for a source whose Debian parts are no longer served
. "$(dirname "$0")/common.sh"

parts=()
if [ "${1:-}" = --tar-only ]; then parts=(--tar-only); shift; fi
[ $# -ge 2 ] || { echo "usage: fetch-source.sh [--tar-only] DIR PACKAGE=VERSION|PACKAGE/SUITE..." >&2; exit 2; }
dir=$(realpath -m "$1")
shift

aptdir="$cache/apt"
mkdir -p "$aptdir/lists/partial" "$aptdir/archives/partial" "$dir"
# One build at a time updates the lists.
exec 9>"$aptdir/lock"
flock -n 9 || { echo "fetch-source.sh: waiting for another build's fetch to end" >&2; flock 9; }

step "finding this machine's Debian mirror"
main=$(bash "$repo/scripts/debian-mirror.sh")
# A bare system, as debootstrap makes it and many small containers are, lists no security archive;
# the main archive still serves every source we build.
security=$(bash "$repo/scripts/debian-mirror.sh" security 2>/dev/null) ||
  echo "fetch-source.sh: no Debian security archive in this machine's apt sources; fetching from $main alone" >&2
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
for suite in bookworm trixie; do
  echo "deb-src [signed-by=$keyring] $main $suite main"
  [ -z "$security" ] || echo "deb-src [signed-by=$keyring] $security $suite-security main"
done >"$aptdir/sources.list"
# Downloads stay with the caller: apt's own unprivileged user may not reach the cache.
apt=(-o Dir::Etc::SourceList="$aptdir/sources.list" -o Dir::Etc::SourceParts=/nonexistent
     -o Dir::State::Lists="$aptdir/lists" -o Dir::Cache="$aptdir" -o Dir::Cache::Archives="$aptdir/archives"
     -o Debug::NoLocking=1 -o APT::Sandbox::User=root)

log="$dir/fetch.log"
step "updating the source lists" "$log"
apt-get "${apt[@]}" update >>"$log" 2>&1
step "downloading $*" "$log"
download=$(mktemp -d "$dir/download.XXXXXX")
trap 'rm -rf "$download"' EXIT
(cd "$download" && apt-get "${apt[@]}" source --download-only "${parts[@]}" "$@") >>"$log" 2>&1

# apt has checked each file's hash against the signed index; the .dsc's own signature, by its
# uploader, would need keys this machine does not have.
step "unpacking $*" "$log"
cd "$download"
shopt -s nullglob
for dsc in *.dsc; do dpkg-source --no-check -x "$dsc" >>"$log" 2>&1; done
if [ ${#parts[@]} -gt 0 ]; then for tarball in *.orig.tar.*; do tar -xf "$tarball"; done; fi
folders=(*/)
[ ${#folders[@]} -gt 0 ] || { echo "fetch-source.sh: apt downloaded nothing to unpack for $*" >&2; exit 1; }
for unpacked in "${folders[@]}"; do rm -rf "${dir:?}/${unpacked%/}"; mv "$unpacked" "$dir/"; done
# The tarballs stay beside what they unpacked to, for a notice that names its source.
for tarball in *.orig.tar.*; do mv "$tarball" "$dir/"; done
