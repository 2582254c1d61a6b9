#!/usr/bin/env bash
# Runs the Windows zip's checks under Wine, with a fresh Wine prefix, on a virtual display of
# their own. Usage: windows/test.sh ZIP SESSION   (SESSION: the built tests/windows_session)
. "$(dirname "$0")/../scripts/common.sh"
zip=$(realpath "$1") session=$(realpath "$2")
tests="$repo/tests"
export WINEDLLOVERRIDES="mscoree,mshtml="   # no offers to install Wine's Mono or Gecko
export WINEDEBUG=-all

# Creating a prefix takes Wine half a minute: one is made once per Wine version, and each run
# gets a fresh prefix with its own registry and drive_c, the 700 MB of Windows DLLs in it hard
# links to the template's (Wine only reads them).
# Debian's Wine keeps a prefix's server sockets in a temporary folder that outlives the server,
# and writes its name into the prefix's file "wineserver".
forget_server() {
  local server
  server=$(cat "$1/wineserver" 2>/dev/null || true)
  [ -z "$server" ] || rm -rf "${TMPDIR:-/tmp}/$server" "$1/wineserver"
}

mkdir -p "$cache"
template="$cache/$(wine --version 2>/dev/null | tr -cs 'A-Za-z0-9.' -)prefix"   # wine-8.0-Debian-8.0-repack-4-prefix
if [ ! -f "$template/system.reg" ]; then
  step "making the Wine prefix $template"
  rm -rf "$template.new"
  WINEPREFIX="$template.new" "$tests/with-display.sh" wineboot --init
  WINEPREFIX="$template.new" wineserver --wait
  forget_server "$template.new"
  mv "$template.new" "$template"
fi
step "copying the Wine prefix"
WINEPREFIX=$(mktemp -d "$cache/wine-run.XXXXXX")   # hard links need the template's file system
export WINEPREFIX
trap 'wineserver --kill 2>/dev/null || true; forget_server "$WINEPREFIX"; rm -rf "$WINEPREFIX"' EXIT
mkdir "$WINEPREFIX/drive_c"
cp -al "$template/drive_c/windows" "$WINEPREFIX/drive_c/"
cp -an "$template/." "$WINEPREFIX/"
step "playing the zip's game under Wine"
GRIMFATHOM_ZIP="$zip" "$tests/with-display.sh" "$session"
