#!/usr/bin/env bash
# Installs the Debian or Ubuntu packages that a make target needs; quiet when all is there.
# Usage: setup.sh GROUP...   Each target names only the groups it uses, so `make run` installs
# what playing needs and nothing more.
. "$(dirname "$0")/common.sh"

declare -A groups=(
  # libasound2-dev for ALSA: SFML 3's miniaudio opens it as it starts, without depending on it,
  # and plays silently where it is missing; the tests hear the game through it. (The library's
  # package is named anew with some releases, the -dev package is not.)
  [play]="g++ cmake make pkg-config libsfml-dev libx11-dev libasound2-dev"
  [test]="libgtest-dev libxtst-dev xvfb valgrind dpkg-dev file procps"
  [bench]="libbenchmark-dev libxtst-dev xvfb"
  # make fuzz: clang's libFuzzer, seed converters, and what SFML's own source needs to build
  [fuzz]="clang libclang-rt-dev imagemagick sox libsox-fmt-base xvfb dpkg-dev xz-utils cmake make libx11-dev libxrandr-dev libudev-dev libgl1-mesa-dev libfreetype-dev libopenal-dev libvorbis-dev libflac-dev"
  [package]="build-essential debhelper dpkg-dev lintian appstream desktop-file-utils man-db"
  # make windows and test-windows: the cross-compilers and Wine, and icoutils and exiftool to read the program's resources
  [windows]="mingw-w64 cmake ninja-build dpkg-dev zip unzip wine xvfb icoutils libimage-exiftool-perl"
  [debian-chroot]="debootstrap debian-archive-keyring git"
  # make web, test-web and bench-web: Emscripten, SFML's source, the zip, and Chromium to play it in
  [web]="emscripten cmake ninja-build dpkg-dev patch zip chromium nodejs"
  # npm comes with Node.js from NodeSource; Debian's own Node.js needs Debian's npm
  [npm]="npm"
)

wanted=()
for group in "${@:-play}"; do
  [ -n "${groups[$group]+set}" ] || { echo "setup.sh: no package group '$group'" >&2; exit 2; }
  read -r -a list <<<"${groups[$group]}"
  wanted+=("${list[@]}")
done

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
step "updating apt's package lists"
$sudo apt-get update -qq
step "installing ${missing[*]}"
# Through env, because sudo drops the caller's environment and debconf would then ask for a terminal.
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}" >/dev/null
