#!/usr/bin/env bash
# Runs the README's `make test` on a clean clone of the current commit in a Debian 13 (trixie)
# chroot, as a new user there would. Needs root and debootstrap (scripts/setup.sh debian13).
# Usage: test-debian13.sh [COMMAND]   COMMAND (default `make test`) runs in the clone as that user;
# MIRROR, if set, replaces the mirror found in /etc/apt.
# The bare chroot and the downloaded .debs are cached in $GRIMFATHOM_CACHE between runs; every
# run installs the project's packages afresh on its own copy of the bare chroot.
set -euo pipefail

repo=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse HEAD)
command=${1:-make test}
cache=${GRIMFATHOM_CACHE:-/var/cache/grimfathom}
base=$cache/trixie-base
debs=$cache/debs
[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"    # debootstrap, mount and chroot need root

# A minbase trixie with what the README asks of a new user's machine: git, make and sudo.
make_base() {
  local source=${MIRROR:-$(bash "$repo/scripts/debian-mirror.sh")}
  [ -n "$source" ] || { echo "test-debian13.sh: no Debian mirror in /etc/apt" >&2; exit 1; }
  echo "Bootstrapping Debian 13 from $source into $base"
  rm -rf "$base.partial"
  mkdir -p "$debs"
  debootstrap --variant=minbase --include=git,make,ca-certificates,sudo --cache-dir="$debs" \
    trixie "$base.partial" "$source" >"$cache/debootstrap.log"
  chroot "$base.partial" useradd --create-home --shell /bin/bash player
  echo 'player ALL=(ALL) NOPASSWD: ALL' >"$base.partial/etc/sudoers.d/player"
  chroot "$base.partial" apt-get clean
  mv "$base.partial" "$base"
}

run=""
mounted=()
# Stops whatever still runs inside the copy, unmounts in reverse order, then removes the copy.
cleanup() {
  local status=$? link i
  [ -n "$run" ] || exit $status
  for link in /proc/[0-9]*/root; do
    [ "$(readlink "$link" 2>/dev/null)" != "$run" ] || kill -9 "$(basename "$(dirname "$link")")" 2>/dev/null || true
  done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount --lazy "${mounted[i]}"
  done
  # Never delete through a mount that failed to come off.
  if grep -q " $run/" /proc/self/mountinfo; then
    echo "test-debian13.sh: still mounted under $run; left in place" >&2
  else
    rm -rf "$run"
  fi
  exit $status
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mount_in() {    # mount_in TARGET MOUNT-ARGUMENTS...
  mount "${@:2}" "$run/$1"
  mounted+=("$run/$1")
}

mkdir -p "$cache"
[ -d "$base" ] || make_base
run=$(mktemp -d "$cache/run.XXXXXX")
cp -a "$base/." "$run/"
mount_in proc -t proc proc
mount_in sys -t sysfs sysfs
mount_in dev --bind /dev
mount_in dev/pts --bind /dev/pts
mount_in dev/shm -t tmpfs -o mode=1777 shm
mount_in var/cache/apt/archives --bind "$debs"
cp /etc/resolv.conf "$run/etc/resolv.conf"
echo "127.0.1.1 $(hostname)" >>"$run/etc/hosts"    # the host's name, which sudo looks up
install -d -m 1777 "$run/tmp/.X11-unix"    # root's, as Xvfb wants it

git clone --quiet --no-checkout "$repo" "$run/home/player/grimfathom"
git -C "$run/home/player/grimfathom" checkout --quiet --detach "$commit"
chroot "$run" chown -R player:player /home/player/grimfathom

# Where the repository builds its .deb with debian/, the package is built and held to lintian too.
script="cd grimfathom && $command"
[ "$command" != "make test" ] || script+=' && if [ -d debian ]; then make package-check; fi'
echo "Running in Debian 13 on commit ${commit:0:12}: $command"
# In the background, so that a signal reaches the trap at once rather than when the tests end.
chroot "$run" /usr/bin/env -i TERM=dumb PATH=/usr/sbin:/usr/bin:/sbin:/bin su --login player -c "$script" &
wait $!
