#!/usr/bin/env bash
# Builds the Debian source and binary packages with dpkg-buildpackage from a copy of the tree in
# FOLDER/grimfathom/. dpkg-buildpackage writes its results beside the tree it builds: here into
# FOLDER, never into the folder that holds the clone.
# Usage: build-deb.sh FOLDER
. "$(dirname "$0")/common.sh"
folder=$(realpath -m "$1")
tree="$folder/grimfathom"
mark="$folder/.made-by-build-deb.sh"

# FOLDER is emptied first: only one this script made, or an empty one, and never one that
# holds the repository (/ included).
refuse() { echo "build-deb.sh: will not empty $folder: $1" >&2; exit 2; }
case "$repo/" in "${folder%/}/"*) refuse "it holds the repository" ;; esac
[ ! -d "$folder" ] || [ -f "$mark" ] || [ -z "$(ls -A "$folder")" ] || refuse "it is not empty, and build-deb.sh did not make it"
rm -rf "$folder"
mkdir -p "$tree"
touch "$mark"

# The sources as they stand, edits included, without git's data, any build folder or FOLDER itself.
step "copying the sources"
tar -C "$repo" -c --exclude-vcs --exclude='./build*' --exclude='./obj-*' \
  --exclude="./$(realpath --relative-to="$repo" "$folder")" . | tar -C "$tree" -x
log="$folder/build.log"
echo "Building the Debian packages in $folder (log: $log)"
step "building the Debian packages" "$log"
(cd "$tree" && dpkg-buildpackage -us -uc) >"$log" 2>&1
echo "Built $(ls "$folder"/grimfathom_*.deb)"
