#!/usr/bin/env bash
# Builds and installs SFML from Debian's source with the fuzzer's instrumentation into DIR/install
# (once), so that coverage reaches SFML's decoders and AddressSanitizer watches them.
# Usage: build-sfml.sh DIR
set -euo pipefail
dir=$(realpath -m "$1")
[ -f "$dir/install/lib/cmake/SFML/SFMLConfig.cmake" ] && exit 0
here=$(dirname "$0")
bash "$here/fetch-sfml.sh" "$dir"

# No build type, as Debian builds it: its assertions stay on, as they are in the game. Its
# warnings are not ours to mend.
flags="-w -g -O1 -fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S "$dir/source" -B "$dir/build" -DCMAKE_BUILD_TYPE= \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" -DBUILD_SHARED_LIBS=ON \
  -DSFML_BUILD_NETWORK=OFF -DSFML_BUILD_EXAMPLES=OFF -DSFML_BUILD_DOC=OFF \
  -DCMAKE_INSTALL_PREFIX="$dir/install" -DCMAKE_INSTALL_RPATH="$dir/install/lib" -Wno-dev >/dev/null
cmake --build "$dir/build" -j2 >/dev/null
cmake --install "$dir/build" >/dev/null
