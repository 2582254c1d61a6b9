#!/usr/bin/env bash
# Regenerates the assets into a scratch folder and fails unless res/ and the contact sheet match byte for byte.
set -euo pipefail

generator=$1
res=$2
sheet=$3

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
if ! cmp -s "$scratch/docs/sprites.png" "$sheet"; then
  echo "docs/sprites.png differs from what the generator writes (run: make assets)"
  status=1
fi
count=$(find "$scratch/res" -type f | wc -l)
echo "compared $count generated files and the contact sheet"
exit $status
