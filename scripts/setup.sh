#!/usr/bin/env bash
# Installs what the game, its tests and its tools need on Debian or Ubuntu; quiet when all is there.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libsfml-dev libgtest-dev libbenchmark-dev
  libx11-dev libxtst-dev
  xvfb valgrind
  dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
