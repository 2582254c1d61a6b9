#!/usr/bin/env bash
# Builds SFML for a web page with Emscripten, from Debian's source package with our browser
# backend, once per set of inputs, into the cache; prints the folder. That folder's prefix/ holds
# the headers, the static libraries and SFML's CMake package, and sfml-notice.txt SFML's licence.
. "$(dirname "$0")/../scripts/common.sh"
. "$repo/web/emscripten.sh"
here="$repo/web/sfml"

build() {
  echo "Building SFML for the web from Debian's source into $out (a few minutes, once)" >&2
  step "fetching the source"
  bash "$repo/scripts/fetch-source.sh" "$out/src" "$sfml_source"
  local sfml log="$out/build.log"
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
    printf '== SFML %s (zlib licence), from Debian'"'"'s source package, with a web backend of our own\n\n' "${sfml_source#*=}"
    cat "$sfml/debian/copyright"
  } >"$out/sfml-notice.txt"
  rm -rf "$out/src" "$out/build"
}

# SFML's source, Emscripten's version, this script and everything in web/sfml/.
inputs=$(echo "$sfml_source"; emcc --version | sed -n 1p
         find "$here" -type f -print0 | LC_ALL=C sort -z | xargs -0 cat -- "$0")
build_once web-sfml "$inputs" build
echo "$out"
