#!/usr/bin/env bash
# Installs the Debian or Ubuntu packages that a make target needs; quiet when all is there.
# Elsewhere, without apt, it checks what playing needs and names whatever is missing.
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
  [autopkgtest]="autopkgtest"
  # make release-check: a clock three days on, and the locale sources it builds German from
  [release-check]="git faketime locales"
  # make web, test-web and bench-web: Emscripten, SFML's source, the zip, and Chromium and Firefox
  # ESR to play it in (Firefox on Xvfb: it offers WebGL only on a display)
  [web]="emscripten cmake ninja-build dpkg-dev patch zip chromium firefox-esr xvfb nodejs"
  # npm comes with Node.js from NodeSource; Debian's own Node.js needs Debian's npm
  [npm]="npm"
)

# Prints, one a line, what playing needs and this system lacks, by looking for the tools and
# asking pkg-config for the libraries; without pkg-config those two count as missing.
missing_for_play() {
  local cmake_version
  echo 'int main() { if constexpr (true) return 0; }' | "${CXX:-c++}" -std=c++17 -x c++ -fsyntax-only - \
    >/dev/null 2>&1 || echo "a C++17 compiler"
  cmake_version=$(cmake --version 2>/dev/null | sed -n '1s/^cmake version \([0-9.]*\).*/\1/p')
  [ -n "$cmake_version" ] && [ "$(printf '%s\n' 3.18 "$cmake_version" | sort -V | head -n1)" = 3.18 ] ||
    echo "CMake 3.18+"
  command -v pkg-config >/dev/null || echo "pkg-config"
  pkg-config --exists 'sfml-graphics >= 2.5' sfml-window sfml-audio sfml-system 2>/dev/null || echo "SFML 2.5+ or 3"
  pkg-config --exists x11 2>/dev/null || echo "the X11 headers"
}

# Where there is no apt to install with, playing's needs are checked by what the system has
# rather than by Debian's package names, and one message names what is missing. The other groups
# are Debian's packages: named, and left to the player.
without_apt() {
  local group missing
  for group; do
    [ "$group" = play ] || echo "setup.sh: no apt-get here to check for the equivalents of Debian's ${groups[$group]}" >&2
  done
  [[ " $* " == *" play "* ]] || return 0
  step "looking for what playing needs"
  missing=$(missing_for_play | paste -sd, | sed -e 's/,/, /g' -e 's/\(.*\), /\1 and /')
  [ -z "$missing" ] || { echo "No apt-get here: install $missing with this system's package manager, then run make again." >&2; exit 1; }
}

for group in "${@:-play}"; do
  [ -n "${groups[$group]+set}" ] || { echo "setup.sh: no package group '$group'" >&2; exit 2; }
done
if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
  without_apt "${@:-play}"
  exit 0
fi

wanted=()
for group in "${@:-play}"; do
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
