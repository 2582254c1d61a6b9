#!/usr/bin/env bash
# Builds and installs SFML from Debian's source with the fuzzer's instrumentation, once, into the
# cache, so that coverage reaches SFML's decoders and AddressSanitizer watches them; prints the
# folder it is installed in.
. "$(dirname "$0")/../scripts/common.sh"
dir="$cache/fuzz-sfml"
if [ -f "$dir/install/lib/cmake/SFML/SFMLConfig.cmake" ]; then echo "$dir/install"; exit 0; fi
echo "Building SFML with the fuzzer's instrumentation into $dir (a few minutes, once)" >&2

# The source of the SFML this machine's release ships, which the game is built against.
. /etc/os-release
if [ ! -f "$dir/source/CMakeLists.txt" ]; then
  step "fetching SFML's source"
  bash "$repo/scripts/fetch-source.sh" "$dir/fetched" "libsfml/$VERSION_CODENAME"
  rm -rf "$dir/source"
  mv "$dir"/fetched/libsfml-*/ "$dir/source"
  rm -rf "$dir/fetched"
fi

# No build type, as Debian builds it: its assertions stay on, as they are in the game. Its
# warnings are not ours to mend.
log="$dir/build.log"
step "building the instrumented SFML" "$log"
flags="-w -g -O1 -fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S "$dir/source" -B "$dir/build" -DCMAKE_BUILD_TYPE= \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" -DBUILD_SHARED_LIBS=ON \
  -DSFML_BUILD_NETWORK=OFF -DSFML_BUILD_EXAMPLES=OFF -DSFML_BUILD_DOC=OFF \
  -DCMAKE_INSTALL_PREFIX="$dir/install" -DCMAKE_INSTALL_RPATH="$dir/install/lib" -Wno-dev >"$log" 2>&1
cmake --build "$dir/build" -j2 >>"$log" 2>&1
cmake --install "$dir/build" >>"$log" 2>&1
echo "$dir/install"
