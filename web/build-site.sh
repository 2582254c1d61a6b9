#!/usr/bin/env bash
# Builds the game for a web page in BUILD/game against SFML for the web (web/build-sfml.sh,
# cached) and lays out the site in BUILD/site: index.html, the program's .js and .wasm, the packed
# pictures and sounds, the icon and the licences. ZIP gets every file of the site, index.html at
# its top, for a static host or a game portal.
# Usage: web/build-site.sh BUILD ZIP
. "$(dirname "$0")/../scripts/common.sh"
build=$(realpath -m "$1") zip=$(realpath -m "$2")
. "$repo/web/emscripten.sh"

step "building SFML for the web"
deps=$(bash "$repo/web/build-sfml.sh")

step "building the game"
emcmake cmake -S "$repo" -B "$build/game" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DSFML_DIR="$deps/prefix/lib/cmake/SFML" >/dev/null
nice -n 10 cmake --build "$build/game" -j2 --target grimfathom

step "laying out the site"
site="$build/site"
rm -rf "$site"
mkdir -p "$site"
cp "$build"/game/grimfathom.{js,wasm,data} "$repo/web/index.html" "$site/"
cp "$repo/docs/icon-64.png" "$site/icon.png"
cp "$repo/LICENSE" "$site/LICENSE.txt"
{
  echo "Grimfathom for the web contains SFML and Emscripten's runtime and system libraries,"
  echo "compiled into grimfathom.wasm and grimfathom.js. Their licences follow."
  echo
  cat "$deps/sfml-notice.txt"
  printf '\n== Emscripten %s (MIT and University of Illinois/NCSA licences)\n\n' \
    "$(emcc --version | sed -n '1s/.*) \([0-9.]*\) .*/\1/p')"
  cat /usr/share/doc/emscripten/copyright
} >"$site/THIRD-PARTY.txt"
# Emscripten 3.1.6 names the packed pictures and sounds by a random UUID at every link; named by
# their digest instead, the same files give the same grimfathom.js.
uuid=$(sha256sum "$site/grimfathom.data" | sed -E 's/^(.{8})(.{4})(.{4})(.{4})(.{12}).*/\1-\2-\3-\4-\5/')
sed -i -E "s/\"package_uuid\":\"[0-9a-f-]{36}\"/\"package_uuid\":\"$uuid\"/" "$site/grimfathom.js"

bash "$repo/scripts/pack-zip.sh" "$site" "$zip"
echo "$site"
echo "$zip ($(du -k "$zip" | cut -f1) KiB)"
