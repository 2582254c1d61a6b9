#!/usr/bin/env bash
# Unpacks Debian's libsfml source into DIR (once), for the fuzz build to compile with the fuzzer's
# instrumentation. The system's apt sources carry no deb-src lines and are not ours to change, so
# a private apt configuration inside DIR lists the source archive.
# Usage: fetch-sfml.sh DIR
set -euo pipefail
dir=$(realpath -m "$1")
[ -f "$dir/source/CMakeLists.txt" ] && exit 0

mkdir -p "$dir/apt/lists/partial" "$dir/apt/cache/archives/partial" "$dir/download"
# The release this machine runs, so the source is that of the SFML the game is built against.
. /etc/os-release
echo "deb-src $(bash "$(dirname "$0")/../scripts/debian-mirror.sh") $VERSION_CODENAME main" >"$dir/apt/sources.list"
# Downloads stay with the caller: apt's own unprivileged user may not reach DIR.
apt_private=(-o "Dir::Etc::sourcelist=$dir/apt/sources.list" -o "Dir::Etc::sourceparts=-"
  -o "Dir::State::lists=$dir/apt/lists" -o "Dir::Cache=$dir/apt/cache" -o "APT::Sandbox::User=root")
apt-get "${apt_private[@]}" update -qq
(cd "$dir/download" && apt-get "${apt_private[@]}" source -qq libsfml)
mv "$dir"/download/libsfml-*/ "$dir/source"
rm -rf "$dir/download"
