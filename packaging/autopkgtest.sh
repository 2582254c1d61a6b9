#!/usr/bin/env bash
# Runs Debian's CI on the packages packaging/build-deb.sh built in FOLDER: autopkgtest's null
# runner installs the .deb and its tests' dependencies on this machine and runs debian/tests from
# the source package; its results go to FOLDER/autopkgtest/. A package that was not installed
# before is purged afterwards. Needs root, or sudo.
# Usage: autopkgtest.sh FOLDER
. "$(dirname "$0")/../scripts/common.sh"
folder=$(realpath "$1")
[ "$(id -u)" -eq 0 ] || exec sudo bash "$0" "$folder"

installed() { dpkg-query -W -f='${Status}' grimfathom 2>/dev/null | grep -q 'install ok installed'; }
if installed; then trap - EXIT; else trap 'dpkg --purge grimfathom >/dev/null 2>&1 || true' EXIT; fi
results="$folder/autopkgtest" log="$folder/autopkgtest.log"
rm -rf "$results"
echo "Running autopkgtest on this machine (log: $log)"
step "running autopkgtest's null runner" "$log"
autopkgtest --output-dir "$results" "$folder"/grimfathom_*_*.deb "$folder"/grimfathom_*.dsc -- null >"$log" 2>&1
cat "$results/summary"
