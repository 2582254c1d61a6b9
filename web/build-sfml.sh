#!/usr/bin/env bash
# Builds SFML 2.5.1 for a web page with Emscripten, from Debian's source package with our browser
# backend, once per set of inputs, into a cache outside the clone; prints the folder. That
# folder's prefix/ holds the headers, the static libraries and SFML's CMake package, and
# sfml-notice.txt SFML's licence.
. "$(dirname "$0")/../scripts/common.sh"
. "$repo/web/emscripten.sh"
here="$repo/web/sfml"

# The same SFML as the Windows zip's. The folder's name changes with it, with Emscripten's
# version, with this script and with everything in web/sfml/.
package=libsfml=2.5.1+dfsg-2
key=$({ echo "$package"; emcc --version | sed -n 1p; cat "$0" "$here"/CMakeLists.txt "$here"/web.patch "$here"/{System,Window}/Web/*; } |
  sha256sum | cut -c1-12)
out="$cache/web-$key"
if [ -f "$out/complete" ]; then echo "$out"; exit 0; fi
require_sfml_emscripten

rm -rf "$out"
mkdir -p "$out/src"
log="$out/build.log"
echo "Building SFML for the web from Debian's source into $out (a few minutes, once)" >&2

step "fetching the source"
bash "$repo/scripts/fetch-source.sh" "$out/src" "$package"
sfml=$(echo "$out"/src/libsfml-*)

step "adding the web platform to SFML" "$log"
patch -d "$sfml" -p1 <"$here/web.patch" >>"$log"
cp -r "$here/System" "$here/Window" "$sfml/src/SFML/"

step "building SFML" "$log"
emcmake cmake -S "$here" -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSFML_SOURCE="$sfml" \
  -DCMAKE_INSTALL_PREFIX="$out/prefix" >>"$log" 2>&1
nice -n 10 cmake --build "$out/build" -j2 >>"$log" 2>&1
cmake --install "$out/build" >>"$log" 2>&1

# SFML's part of the site's licence notice, from the Debian copyright file of the source built.
{
  printf '== SFML %s (zlib licence), from Debian'"'"'s source package, with a web backend of our own\n\n' "${package#*=}"
  cat "$sfml/debian/copyright"
} >"$out/sfml-notice.txt"
rm -rf "$out/src" "$out/build"
touch "$out/complete"
echo "$out"
