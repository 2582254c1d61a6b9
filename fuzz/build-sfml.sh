#!/usr/bin/env bash
# Builds and installs SFML from Debian's source with the fuzzer's instrumentation, once per set
# of inputs, into the cache, so that coverage reaches SFML's decoders and AddressSanitizer watches
# them; prints the folder it is installed in.
. "$(dirname "$0")/../scripts/common.sh"

# The source of the SFML this machine's release ships, which the game is built against. No build
# type, as Debian builds it: its assertions stay on, as they are in the game. Its warnings are
# not ours to mend.
. /etc/os-release
source=libsfml/$VERSION_CODENAME
flags="-w -g -O1 -fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer"

build() {
  echo "Building SFML with the fuzzer's instrumentation into $out (a few minutes, once)" >&2
  step "fetching SFML's source"
  bash "$repo/scripts/fetch-source.sh" "$out/src" "$source"
  local log="$out/build.log"
  step "building the instrumented SFML" "$log"
  CC=clang CXX=clang++ cmake -S "$(echo "$out"/src/libsfml-*)" -B "$out/build" -DCMAKE_BUILD_TYPE= \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" -DBUILD_SHARED_LIBS=ON \
    -DSFML_BUILD_NETWORK=OFF -DSFML_BUILD_EXAMPLES=OFF -DSFML_BUILD_DOC=OFF \
    -DCMAKE_INSTALL_PREFIX="$out/install" -DCMAKE_INSTALL_RPATH="$out/install/lib" -Wno-dev >"$log" 2>&1
  nice -n 10 cmake --build "$out/build" -j2 >>"$log" 2>&1
  cmake --install "$out/build" >>"$log" 2>&1
  # The source stays, where the debug information points a finding's stack trace.
  rm -rf "$out/build"
}

# The source, the flags, the compiler and this script.
inputs=$(echo "$source $flags"; clang --version | head -n1; cat "$0")
build_once fuzz-sfml "$inputs" build
echo "$out/install"
