#!/usr/bin/env bash
# Builds the Debian source and binary packages with dpkg-buildpackage from a copy of the tree in
# FOLDER/grimfathom/. dpkg-buildpackage writes its results beside the tree it builds: here into
# FOLDER, never into the folder that holds the clone.
# Usage: package.sh FOLDER
set -euo pipefail
folder=$(realpath -m "$1")
tree="$folder/grimfathom"
rm -rf "$folder"
mkdir -p "$tree"
# The sources as they stand, edits included, without git's data, any build folder or FOLDER itself.
source=$(realpath "$(dirname "$0")/..")
tar -C "$source" -c --exclude-vcs --exclude='./build*' --exclude='./obj-*' \
  --exclude="./$(realpath --relative-to="$source" "$folder")" . | tar -C "$tree" -x
log="$folder/build.log"
echo "Building the Debian packages in $folder (log: $log)"
if ! (cd "$tree" && dpkg-buildpackage -us -uc) >"$log" 2>&1; then
  tail -n 40 "$log"
  exit 1
fi
echo "Built $(ls "$folder"/grimfathom_*.deb)"
