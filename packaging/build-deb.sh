#!/usr/bin/env bash
# Builds the Debian source and binary packages with dpkg-buildpackage from a copy of the tree in
# FOLDER/grimfathom/. dpkg-buildpackage writes its results beside the tree it builds: here into
# FOLDER, never into the folder that holds the clone.
# Usage: build-deb.sh FOLDER
. "$(dirname "$0")/../scripts/common.sh"
folder=$(realpath -m "$1")
tree="$folder/grimfathom"
mark="$folder/.made-by-build-deb.sh"

# FOLDER is emptied first: only one this script made, or an empty one, and never one that
# holds the repository (/ included).
refuse() { echo "build-deb.sh: will not empty $folder: $1" >&2; exit 2; }
case "$repo/" in "${folder%/}/"*) refuse "it holds the repository" ;; esac
[ ! -d "$folder" ] || [ -f "$mark" ] || [ -z "$(ls -A "$folder")" ] ||
  refuse "it is not empty, and build-deb.sh did not make it (remove it, or build elsewhere with BUILD=)"
rm -rf "$folder"
mkdir -p "$tree"
touch "$mark"

# The sources as they stand, edits and new files included, without what git ignores (build
# folders, web/node_modules, debhelper's leftovers). An unpacked source tarball has no git, and
# nothing but the sources and what builds left in build folders.
source_files() {
  if [ -e "$repo/.git" ]; then
    git -C "$repo" ls-files -z --cached --others --exclude-standard --deduplicate
  else
    (cd "$repo" && find . -path './build*' -prune -o -type f -print0)
  fi
}
step "copying the sources"
# A file deleted but not yet committed is listed and skipped; FOLDER itself, if git sees it, too.
source_files | tar -C "$repo" -c --null --ignore-failed-read \
  --exclude="$(realpath --relative-to="$repo" "$folder")/*" -T - | tar -C "$tree" -x
log="$folder/build.log"
echo "Building the Debian packages in $folder (log: $log)"
step "building the Debian packages" "$log"
(cd "$tree" && dpkg-buildpackage -us -uc) >"$log" 2>&1
echo "Built $(ls "$folder"/grimfathom_*.deb)"
