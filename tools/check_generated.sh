#!/usr/bin/env bash
# Regenerates the assets into a scratch folder and fails unless res/, the contact sheet and the icons match byte for byte.
. "$(dirname "$0")/../scripts/common.sh"

generator=$1
res=$2
docs=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

step "generating the assets"
"$generator" "$scratch/res" "$scratch/docs"

status=0

# Every file the generator writes into $1 must stand byte for byte in $2.
compare() {
  local made
  for made in "$scratch/$1"/*; do
    if ! cmp -s "$made" "$2/$(basename "$made")"; then
      echo "$1/$(basename "$made") differs from what the generator writes (run: make assets)"
      status=1
    fi
  done
}

compare res "$res"
# docs/ also holds screenshots of the running game, so only what the generator writes is compared.
compare docs "$docs"
for kept in "$res"/*; do
  name=$(basename "$kept")
  if [ ! -e "$scratch/res/$name" ]; then
    echo "res/$name is not written by the generator"
    status=1
  fi
done
count=$(find "$scratch/res" -type f | wc -l)
extra=$(find "$scratch/docs" -type f | wc -l)
echo "compared $count generated files in res/ and $extra in docs/"
exit $status
