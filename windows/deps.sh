#!/usr/bin/env bash
# Cross-builds the game's Windows libraries from Debian source packages, once per set of inputs,
# into the cache; prints the folder that holds them: prefix/ (headers, static libraries,
# OpenAL32.dll) and THIRD-PARTY.txt.
. "$(dirname "$0")/../scripts/common.sh"
here="$repo/windows"

# Debian 12's sources, but OpenAL Soft from Debian 13: bookworm's openal-soft tarballs are no
# longer served by the archive.
sfml=$sfml_source
ogg=libogg=1.3.5-3
vorbis=libvorbis=1.3.7-1
flac=flac=1.4.2+ds-2
freetype=freetype=2.12.1+dfsg-5+deb12u4
openal=openal-soft=1:1.24.2-1

fetch() {
  step "fetching the sources"
  bash "$repo/scripts/fetch-source.sh" "$out/src" "$sfml" "$ogg" "$vorbis" "$flac" "$freetype"
  # openal-soft's .dsc and Debian patches are not served either: its upstream tarball alone.
  bash "$repo/scripts/fetch-source.sh" --tar-only "$out/src" "$openal"
  cd "$out/src"    # where compile's source patterns are matched
}

# configure, build and install one library into the prefix, static unless asked otherwise
compile() {
  local name=$1 source=$2
  shift 2
  echo "  $name" >&2
  step "building $name" "$out/build.log"
  cmake -S "$out/src/$source" -B "$out/build/$name" -G Ninja --toolchain "$here/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$out/prefix" -DCMAKE_FIND_ROOT_PATH="$out/prefix" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF "$@" >>"$step_log" 2>&1
  nice -n 10 cmake --build "$out/build/$name" -j2 >>"$step_log" 2>&1
  cmake --install "$out/build/$name" >>"$step_log" 2>&1
}

# one library's part of the notice file: what it is, then its licence files
notice() {
  printf '\n%s\n%s\n%s\n\n' "$(printf '=%.0s' {1..78})" "$1" "$(printf '=%.0s' {1..78})"
  shift
  for file; do cat "$file"; echo; done
}

# The licences of what the zip ships, from the Debian copyright files of the sources built.
notices() {
  cd "$out/src"
  echo "Grimfathom for Windows contains the following libraries, built from Debian's source packages."
  notice "SFML ${sfml#*=} (zlib licence), linked into grimfathom.exe" libsfml-*/debian/copyright
  notice "libogg ${ogg#*=} (BSD), linked into grimfathom.exe" libogg-*/debian/copyright
  notice "libvorbis ${vorbis#*=} (BSD), linked into grimfathom.exe" libvorbis-*/debian/copyright
  notice "FLAC ${flac#*=} (the BSD-licensed libFLAC), linked into grimfathom.exe" flac-*/debian/copyright
  notice "FreeType ${freetype#*=} (FreeType License, FTL), linked into grimfathom.exe" freetype-*/debian/copyright
  local folder=$(ls -d openal-soft-*/) tarball=$(ls openal-soft_*.orig.tar.gz)
  notice "OpenAL Soft ${openal#*=} (GNU LGPL 2.1 or later), the separate OpenAL32.dll

OpenAL32.dll is built unchanged from $tarball, the upstream source in Debian 13's source
package openal-soft ${openal#*=}, which the Debian archive serves under
pool/main/o/openal-soft/. You may replace the DLL with your own build of OpenAL Soft.
Its licence, then the licences of code it includes:" \
    "$folder"COPYING "$folder"BSD-3Clause "$folder"LICENSE-pffft "$folder"fmt-*/LICENSE
  notice "MinGW-w64 runtime (start-up code and winpthreads), linked into both" \
    /usr/share/doc/mingw-w64-x86-64-dev/copyright
}

build() {
  echo "Building the Windows libraries from Debian sources into $out (a few minutes, once)" >&2
  fetch
  compile libogg libogg-* -DINSTALL_DOCS=OFF
  compile libvorbis libvorbis-*
  compile flac flac-* -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOCS=OFF \
    -DINSTALL_MANPAGES=OFF -DWITH_STACK_PROTECTOR=OFF -DWITH_FORTIFY_SOURCE=OFF
  compile freetype freetype-* -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  # LGPL: a DLL of its own beside the program, which players may replace.
  compile openal-soft openal-soft-* -DBUILD_SHARED_LIBS=ON -DALSOFT_UTILS=OFF -DALSOFT_EXAMPLES=OFF \
    -DALSOFT_INSTALL_CONFIG=OFF -DALSOFT_INSTALL_HRTF_DATA=OFF -DALSOFT_INSTALL_AMBDEC_PRESETS=OFF \
    -DALSOFT_UPDATE_BUILD_VERSION=OFF -DALSOFT_EAX=OFF
  compile sfml libsfml-* -DSFML_USE_SYSTEM_DEPS=ON -DSFML_USE_STATIC_STD_LIBS=ON -DSFML_BUILD_NETWORK=OFF \
    -DSFML_BUILD_EXAMPLES=OFF -DSFML_BUILD_DOC=OFF
  # SFML's config names libraries as Windows spells them, and file names on Linux keep their case:
  # MinGW has libopengl32.a, OpenAL Soft installs libOpenAL32.dll.a.
  sed -i -e 's/"OpenGL32"/"opengl32"/' -e 's/SEARCH_NAMES "OpenAL"/SEARCH_NAMES "OpenAL32" "OpenAL"/' \
    "$out/prefix/lib/cmake/SFML/SFMLConfigDependencies.cmake"
  notices >"$out/THIRD-PARTY.txt"
  rm -rf "$out/src" "$out/build"
}

# The sources, the cross-compiler, this script and the toolchain file.
inputs=$(echo "$sfml $ogg $vorbis $flac $freetype $openal"; x86_64-w64-mingw32-g++-posix --version | head -n1
         cat "$0" "$here/mingw-w64.cmake")
build_once windows "$inputs" build
echo "$out"
