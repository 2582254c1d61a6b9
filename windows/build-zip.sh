#!/usr/bin/env bash
# Cross-builds the game for 64-bit Windows in BUILD and packs it, with OpenAL32.dll, the pictures
# and sounds, the licences and a how-to-play text, into ZIP.
# Usage: windows/build-zip.sh BUILD ZIP
. "$(dirname "$0")/../scripts/common.sh"
build=$(realpath -m "$1") zip=$(realpath -m "$2")
cd "$repo"
[ -f LICENSE ] || { echo "windows/build-zip.sh: no LICENSE file to ship" >&2; exit 1; }
step "building the Windows libraries"
libraries=$(bash windows/deps.sh)
mkdir -p "$build"
ln -sfn "$libraries" "$build/deps"
# The game reaches the libraries through that link, and the build files name them by a path
# relative to the build folder: the linker orders the program's import table by the paths of the
# import libraries, and OpenAL32's in the cache sorted before or after MinGW's own in /usr as the
# cache lay, so the program's bytes followed the cache's place.
deps="$build/deps"

step "cross-building the game"
cmake -S . -B "$build" -G Ninja --no-warn-unused-cli --toolchain windows/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_FIND_ROOT_PATH="$deps/prefix" -DSFML_DIR="$deps/prefix/lib/cmake/SFML" >/dev/null
cmake --build "$build" -j2 --target grimfathom

# Explorer starts a program in its own folder, so bin/ beside res/ gives the game its "../res/".
stage="$build/zip/Grimfathom"
step "laying out the zip's files"
rm -rf "$build/zip"
mkdir -p "$stage/bin"
cp "$build/grimfathom.exe" "$deps/prefix/bin/OpenAL32.dll" "$stage/bin/"
cp -r res "$stage/res"
cp LICENSE "$stage/LICENSE.txt"
cp "$deps/THIRD-PARTY.txt" "$stage/THIRD-PARTY.txt"
cp windows/README.txt "$stage/README.txt"
# The texts get Windows line ends, the rest goes in byte for byte.
sed -i 's/\r*$/\r/' "$stage"/*.txt
bash scripts/pack-zip.sh "$build/zip" "$zip"
echo "$zip ($(du -k "$zip" | cut -f1) KiB)"
