#!/usr/bin/env bash
# Seeds for the fuzz targets: our pictures and sounds, the same converted to every format SFML
# recognises by its bytes, and WAVs with the chunk layouts other tools write.
# Usage: make-seeds.sh RES OUT    (writes OUT/pictures and OUT/sounds)
. "$(dirname "$0")/../scripts/common.sh"
res=$1 final=$2
out="$final.partial"
# Gone however the script ends: the last step moves it to its final name.
trap 'rm -rf "$out"' EXIT
rm -rf "$out"
mkdir -p "$out/pictures" "$out/sounds"

step "converting the pictures"
for png in "$res"/*.png; do
  name=$(basename "$png" .png)
  cp "$png" "$out/pictures/"
  for format in jpg gif bmp tga psd hdr pnm; do
    convert "$png" "$out/pictures/$name.$format"
  done
done

step "converting the sounds"
# A tenth of a second of each sound is enough to reach every decoder path, and keeps inputs small.
for wav in "$res"/*.wav; do
  name=$(basename "$wav" .wav)
  sox "$wav" "$out/sounds/$name.wav" trim 0 0.1
  sox "$wav" "$out/sounds/$name.ogg" trim 0 0.1
  sox "$wav" "$out/sounds/$name.flac" trim 0 0.1
  sox "$wav" -b 8 "$out/sounds/$name-8bit.wav" trim 0 0.1
  sox "$wav" -c 2 "$out/sounds/$name-stereo.wav" trim 0 0.1
done

le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))\\x$(printf %02x $(($1 >> 16 & 255)))\\x$(printf %02x $(($1 >> 24 & 255)))"; }

step "writing WAVs with other chunk layouts"
# The chunks of a short sox-made WAV (fmt at 12, 24 bytes; data from 36), rearranged with others.
# An odd-sized chunk is followed by its pad byte.
sample="$out/sounds/pew.wav"
head -c 36 "$sample" | tail -c 24 >"$out/fmt.chunk"
{ printf data; le32 200; head -c 244 "$sample" | tail -c 200; } >"$out/data.chunk"
{ printf LIST; le32 24; printf INFOISFT; le32 11; printf 'Grimfathom\x00\x00'; } >"$out/list.chunk"
{ printf fact; le32 4; le32 100; } >"$out/fact.chunk"
{ printf junk; le32 5; printf 'odd\x00\x00\x00'; } >"$out/odd.chunk"
wave() {
  local files=() chunk
  for chunk in "$@"; do files+=("$out/$chunk.chunk"); done
  { printf RIFF; le32 $((4 + $(cat "${files[@]}" | wc -c))); printf WAVE; cat "${files[@]}"; }
}
wave list fmt data >"$out/sounds/list-first.wav"
wave fmt fact data list >"$out/sounds/fact-and-list-after.wav"
wave odd fmt odd data odd >"$out/sounds/odd-sized-around.wav"
wave list data fmt >"$out/sounds/data-before-fmt.wav"
rm "$out"/*.chunk
mv "$out" "$final"
