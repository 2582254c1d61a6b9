#!/usr/bin/env bash
# Regenerates the assets into a scratch folder and fails unless res/, the contact sheet and the icons match byte for byte.
set -euo pipefail

generator=$1
res=$2
docs=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$generator" "$scratch/res" "$scratch/docs"

status=0
for made in "$scratch"/res/*; do
  name=$(basename "$made")
  if ! cmp -s "$made" "$res/$name"; then
    echo "res/$name differs from what the generator writes (run: make assets)"
    status=1
  fi
done
for kept in "$res"/*; do
  name=$(basename "$kept")
  if [ ! -e "$scratch/res/$name" ]; then
    echo "res/$name is not written by the generator"
    status=1
  fi
done
# docs/ also holds screenshots of the running game, so only what the generator writes is compared.
for made in "$scratch"/docs/*; do
  name=$(basename "$made")
  if ! cmp -s "$made" "$docs/$name"; then
    echo "docs/$name differs from what the generator writes (run: make assets)"
    status=1
  fi
done
count=$(find "$scratch/res" -type f | wc -l)
extra=$(find "$scratch/docs" -type f | wc -l)
echo "compared $count generated files in res/ and $extra in docs/"
exit $status
