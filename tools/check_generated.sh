#!/usr/bin/env bash
# Regenerates the assets into a scratch tree and fails unless every file the generator writes
# stands byte for byte where it lives in TREE, and res/ and packaging/icons/ hold nothing else.
. "$(dirname "$0")/../scripts/common.sh"

generator=$1
tree=$2

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

step "generating the assets"
"$generator" "$scratch"

status=0
count=0
while IFS= read -r made; do
  count=$((count + 1))
  if ! cmp -s "$scratch/$made" "$tree/$made"; then
    echo "$made differs from what the generator writes (run: make assets)"
    status=1
  fi
done < <(cd "$scratch" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
# The game and the package take every file of these folders, so each must be the generator's.
for folder in res packaging/icons; do
  for kept in "$tree/$folder"/*; do
    name=$(basename "$kept")
    if [ ! -e "$scratch/$folder/$name" ]; then
      echo "$folder/$name is not written by the generator"
      status=1
    fi
  done
done
echo "compared $count generated files in res/, docs/, packaging/icons/, windows/ and web/page/"
exit $status
