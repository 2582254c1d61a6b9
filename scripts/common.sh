# Sourced first by every script: strict mode, the repository's root, the one cache root and the
# builds kept in it, and a failure that says which step failed and where its log is.
#   step "building SFML" "$log"   names what follows, and the log it writes to, if any
set -Eeuo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Everything the builds keep between runs (sources, libraries, Wine prefixes, each Debian
# release's bare chroot) lives under this one folder; GRIMFATHOM_CACHE moves all of it.
# Absolute, so that it holds after a script changes folder.
cache=$(realpath -m "${GRIMFATHOM_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/grimfathom}")

# The SFML that the Windows and web builds compile from Debian's source: Debian 12's.
sfml_source=libsfml=2.5.1+dfsg-2

# A build kept in the cache for as long as what it is made from stays the same: runs the function
# BUILDER with $out set to $cache/NAME-KEY, KEY a digest of INPUTS (versions, flags, compiler, the
# build's own scripts), unless a build of the same inputs completed there. Another set of inputs
# builds afresh beside it, so a branch that goes back to the old ones finds them still there.
build_once() {    # build_once NAME INPUTS BUILDER
  out="$cache/$1-$(sha256sum <<<"$2" | cut -c1-12)"
  [ ! -f "$out/complete" ] || return 0
  rm -rf "$out"
  mkdir -p "$out"
  "$3"
  touch "$out/complete"
}

step_name="starting" step_log=""
step() { step_name=$1 step_log=${2:-}; }

# Reported once, by the script itself: a failure inside $(...) reaches it as the failure of the
# command that ran the substitution.
report_failure() {
  local status=$?
  [ "$BASH_SUBSHELL" -eq 0 ] || return "$status"
  echo "${0##*/}: failed while $step_name (exit status $status)${step_log:+; the end of $step_log:}" >&2
  [ ! -f "$step_log" ] || tail -n 30 "$step_log" >&2
}
trap report_failure ERR
