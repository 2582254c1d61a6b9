#!/usr/bin/env bash
# Makes the release of the current commit twice, from two fresh clones that differ in path, time
# zone, locale, home folder, user name, umask, clock and the place of the library cache, and fails
# unless their SHA256SUMS agree. On a difference both releases are kept in OUT/one and OUT/two,
# for diffoscope.
# Usage: check-release.sh OUT
. "$(dirname "$0")/common.sh"
out=$(realpath -m "$1")
commit=$(git -C "$repo" rev-parse HEAD)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/grimfathom-release-check.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# German sorts unlike C; made in the scratch folder, so the system's locales stay as they are.
step "making a German locale"
mkdir "$scratch/locales"
localedef -i de_DE -f UTF-8 "$scratch/locales/de_DE.UTF-8"

release_in() {    # release_in CLONE UMASK CACHE [VARIABLE=VALUE...] [COMMAND...]: make release in a fresh clone
  local clone=$1 mask=$2 libraries=$3
  shift 3
  step "cloning ${commit:0:12} into $clone"
  git clone --quiet --no-checkout "$repo" "$clone"
  git -C "$clone" checkout --quiet --detach "$commit"
  mkdir "$clone.home"
  echo "Making the release in $clone (log: $clone.log)"
  step "making the release in $clone" "$clone.log"
  (cd "$clone" && env -i PATH="$PATH" HOME="$clone.home" GRIMFATHOM_CACHE="$libraries" "$@" \
    bash -c "umask $mask && exec make --no-print-directory release") >"$clone.log" 2>&1
}
release_in "$scratch/one/grimfathom" 022 "$cache" USER=ann LOGNAME=ann TZ=UTC LC_ALL=C.UTF-8

# The second release reads a copy of the library builds the first one used, in another place.
step "copying the finished library builds"
mkdir "$scratch/cache"
for finished in "$cache"/*/complete; do cp -a "${finished%/complete}" "$scratch/cache/"; done
# Fourteen hours ahead of UTC, where the clock says three days later.
release_in "$scratch/two/a/longer/path/grimfathom-copy" 002 "$scratch/cache" USER=bob LOGNAME=bob TZ=Pacific/Kiritimati \
  LOCPATH="$scratch/locales" LC_ALL=de_DE.UTF-8 faketime -f +3d

step "comparing the two releases"
one="$scratch/one/grimfathom/build/release" two="$scratch/two/a/longer/path/grimfathom-copy/build/release"
if cmp -s "$one/SHA256SUMS" "$two/SHA256SUMS"; then
  echo "The two releases of ${commit:0:12} are identical:"
  cat "$one/SHA256SUMS"
  exit 0
fi
rm -rf "$out"
mkdir -p "$out"
mv "$one" "$out/one"
mv "$two" "$out/two"
echo "The two releases of ${commit:0:12} differ (kept in $out; diffoscope shows how):" >&2
diff "$out/one/SHA256SUMS" "$out/two/SHA256SUMS" >&2 || true
exit 1
