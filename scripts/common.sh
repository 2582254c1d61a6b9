# Sourced first by every script: strict mode, the repository's root, the one cache root, and a
# failure that says which step failed and where its log is.
#   step "building SFML" "$log"   names what follows, and the log it writes to, if any
set -Eeuo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Everything the builds keep between runs (sources, libraries, Wine prefixes, the Debian 13
# chroot) lives under this one folder; GRIMFATHOM_CACHE moves all of it.
# Absolute, so that it holds after a script changes folder.
cache=$(realpath -m "${GRIMFATHOM_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/grimfathom}")

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
