#!/usr/bin/env bash
# Makes a release of the committed tree in OUT: the source tarball grimfathom-VERSION.tar.gz from
# git, then, built from that tarball unpacked, the .deb and the Windows and web zips, and
# SHA256SUMS over the four. Refuses a tree with anything git has not committed.
# Usage: release.sh OUT VERSION   (the builds go to OUT-work, beside it)
. "$(dirname "$0")/common.sh"
out=$(realpath -m "$1") version=$2
work="$out-work" name="grimfathom-$version"

step "checking that everything is committed"
[ -e "$repo/.git" ] || { echo "release.sh: a release is made from a git clone" >&2; exit 2; }
changes=$(git -C "$repo" status --porcelain)
[ -z "$changes" ] || { echo "release.sh: commit or drop these changes first:"; echo "$changes"; exit 2; } >&2

rm -rf "$out" "$work"
mkdir -p "$out" "$work"
step "packing the source tarball"
git -C "$repo" archive --format=tar --prefix="$name/" HEAD | gzip -9n >"$out/$name.tar.gz"

# Built from what is published: the tarball's own Makefile and scripts, as a packager would.
log="$work/build.log"
echo "Building the .deb and the zips from $name.tar.gz (log: $log)"
step "building the .deb and the zips from the source tarball" "$log"
tar -C "$work" -xzf "$out/$name.tar.gz"
make -C "$work/$name" --no-print-directory package windows web \
  BUILD="$work/build" WINDOWS_BUILD="$work/windows" WEB_BUILD="$work/web" >"$log" 2>&1
cp "$work"/build/package/grimfathom_*.deb "$work"/windows/*.zip "$work"/web/*.zip "$out/"

step "summing up"
cd "$out"
export LC_ALL=C    # names in byte order
files=(*)
sha256sum -- "${files[@]}" >SHA256SUMS
for file in "${files[@]}" SHA256SUMS; do
  printf "  %-34s %8s\n" "$file" "$(numfmt --to=iec-i --suffix=B "$(stat -c %s "$file")")"
done
echo "Released $name in $out"
