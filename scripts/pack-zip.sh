#!/usr/bin/env bash
# Packs everything under FOLDER into ZIP, the same bytes for the same files wherever and whenever
# it runs: entries in byte order of their names, each dated SOURCE_DATE_EPOCH, which zip writes
# as local time and so is given in UTC; permissions made the same whatever the umask, and no
# extra fields, which would carry owners and exact times.
# Usage: pack-zip.sh FOLDER ZIP
. "$(dirname "$0")/common.sh"
folder=$(realpath "$1") zip=$(realpath -m "$2")
: "${SOURCE_DATE_EPOCH:?pack-zip.sh dates the entries by SOURCE_DATE_EPOCH, which the Makefile sets}"

step "dating and opening the files in $folder"
find "$folder" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
chmod -R u=rwX,go=rX "$folder"
step "packing $zip"
rm -f "$zip"
mkdir -p "$(dirname "$zip")"
cd "$folder"
find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | TZ=UTC zip -q -X -@ "$zip"
