#!/usr/bin/env bash
# Builds the game for a web page in BUILD/game against SFML for the web (web/build-sfml.sh,
# cached) and lays out the site in BUILD/site: the page (web/page/), the program's .js and .wasm,
# the packed pictures and sounds, the package's 64-pixel icon, the licences, and the
# service worker that keeps them all. ZIP gets every file of the site, index.html at its top, for
# a static host or a game portal.
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
cp "$build"/game/grimfathom.{js,wasm,data} "$repo"/web/page/* "$site/"
cp "$repo/packaging/icons/icon-64.png" "$site/icon.png"
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

step "writing the service worker's list"
# It keeps every other file of the site under a version named after their contents, so that any
# change to them makes a new worker.
# In byte order, so that the worker is the same in every locale.
files=$(cd "$site" && LC_ALL=C ls | grep -vx sw.js)
{
  echo "const version = '$(cd "$site" && sha256sum $files | sha256sum | cut -c1-12)';"
  echo "const files = [$(printf "'%s', " $files)];"
  cat "$repo/web/page/sw.js"
} >"$site/sw.js"

step "packing the zip"
bash "$repo/scripts/pack-zip.sh" "$site" "$zip"
echo "$site"
echo "$zip ($(du -k "$zip" | cut -f1) KiB)"
