#!/usr/bin/env bash
# Runs a command on a clean clone of the current commit in a bare chroot of a Debian release, as a
# new user there would. Needs root or sudo, and debootstrap (scripts/setup.sh debian-chroot).
# Usage: test-debian.sh RELEASE [COMMAND]   RELEASE is a codename (trixie, forky, sid...); COMMAND
# (default `make test && make package-check`) runs in the clone as the user player, through a shell.
# MIRROR, if set, replaces the mirror found in /etc/apt.
# Each release's bare chroot and downloaded .debs are kept in $cache/debian/RELEASE between runs, as
# root's files; every run installs the project's packages afresh on its own copy of the bare chroot.
. "$(dirname "$0")/common.sh"

# debootstrap, mount and chroot need root. sudo drops the caller's environment, so the mirror, the
# cache and npm's extra certificates as the caller sees them are passed on by name. The run has a
# mount namespace of its own, private: nothing it mounts reaches the host, and its mounts go when
# it ends.
if [ -z "${GRIMFATHOM_OWN_MOUNTS:-}" ]; then
  mkdir -p "$cache"    # the caller's, before root writes into it
  root=()
  [ "$(id -u)" -eq 0 ] || root=(sudo)
  exec "${root[@]}" env MIRROR="${MIRROR:-}" GRIMFATHOM_CACHE="$cache" GRIMFATHOM_OWN_MOUNTS=1 \
    NODE_EXTRA_CA_CERTS="${NODE_EXTRA_CA_CERTS:-}" unshare --mount --propagation private bash "$0" "$@"
fi

[ $# -ge 1 ] || { echo "usage: test-debian.sh RELEASE [COMMAND]" >&2; exit 2; }
release=$1
command=${2:-make test && make package-check}
here=$cache/debian/$release
debs=$here/debs
mkdir -p "$debs"

# debootstrap knows a release by a script of its name; one newer than this debootstrap, as testing
# is to Debian 12's, is made as unstable is.
bootstrap_script=/usr/share/debootstrap/scripts/$release
[ -f "$bootstrap_script" ] || bootstrap_script=/usr/share/debootstrap/scripts/sid

# A minbase system with what the README asks of a new user's machine: git, make and sudo.
make_base() {    # make_base FOLDER
  local source
  source=${MIRROR:-$(bash "$repo/scripts/debian-mirror.sh")}
  echo "Bootstrapping Debian $release from $source into $1"
  rm -rf "$1.partial"
  step "bootstrapping Debian $release from $source" "$here/debootstrap.log"
  debootstrap --variant=minbase --include=git,make,ca-certificates,sudo --cache-dir="$debs" \
    "$release" "$1.partial" "$source" "$bootstrap_script" >"$step_log" 2>&1
  # The archive reachable here may be a snapshot: the index of a release still in the making
  # (testing, unstable) and of the security archive carries a Valid-Until date, which apt then
  # refuses once passed, though the signature still holds. Throwaway test systems only.
  echo 'Acquire::Check-Valid-Until "false";' >"$1.partial/etc/apt/apt.conf.d/99snapshot-archive"
  step "adding the user player to the bare chroot"
  chroot "$1.partial" useradd --create-home --shell /bin/bash player
  echo 'player ALL=(ALL) NOPASSWD: ALL' >"$1.partial/etc/sudoers.d/player"
  chroot "$1.partial" apt-get clean
  mv "$1.partial" "$1"
}

# The bare chroot's folder is named after what makes it, so that a change there makes it anew.
base=$here/base-$({ echo "$release $bootstrap_script"; declare -f make_base; } | sha256sum | cut -c1-12)

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
  if grep -q " $run[/ ]" /proc/self/mountinfo; then
    echo "test-debian.sh: still mounted under $run; left in place" >&2
  else
    rm -rf "$run"
  fi
  exit $status
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mount_in() {    # mount_in TARGET MOUNT-ARGUMENTS...   (TARGET in the copy; "" for the copy itself)
  mount "${@:2}" "$run/$1"
  mounted+=("$run/$1")
}

if [ ! -d "$base" ]; then
  find "$here" -maxdepth 1 -name 'base-*' -exec rm -rf {} +    # made by an older recipe
  make_base "$base"
fi
step "copying the bare chroot"
run=$(mktemp -d "$here/run.XXXXXX")
# In memory: dpkg syncs every file it installs, and the gigabytes a run installs took minutes to
# delete from disk. A run holds 3 to 4 GB.
mount_in "" -t tmpfs -o mode=0755 tmpfs
cp -a "$base/." "$run/"
step "mounting the chroot's file systems"
mount_in proc -t proc proc
mount_in sys -t sysfs sysfs
mount_in dev --bind /dev
mount_in dev/pts --bind /dev/pts
mount_in dev/shm -t tmpfs -o mode=1777 shm
mount_in var/cache/apt/archives --bind "$debs"
cp /etc/resolv.conf "$run/etc/resolv.conf"
echo "127.0.1.1 $(hostname)" >>"$run/etc/hosts"    # the host's name, which sudo looks up
install -d -m 1777 "$run/tmp/.X11-unix"    # root's, as Xvfb wants it

# Where the host trusts the npm registry through extra certificates (a proxy's, say), so must the
# chroot's Node.js: the same file, named by the same variable inside.
environment=(TERM=dumb PATH=/usr/sbin:/usr/bin:/sbin:/bin)
if [ -f "${NODE_EXTRA_CA_CERTS:-}" ]; then
  step "copying the host's extra certificates for Node.js"
  cp "$NODE_EXTRA_CA_CERTS" "$run/etc/ssl/node-extra-ca-certs.pem"
  environment+=(NODE_EXTRA_CA_CERTS=/etc/ssl/node-extra-ca-certs.pem)
fi

step "lending the chroot the release's Emscripten libraries"
# Emscripten compiles its system libraries at a web build's first link, for some 12 minutes; kept
# in the cache under this release, only its first run compiles them (web/emscripten.sh).
mkdir -p "$here/emscripten" "$run/home/player/.cache/grimfathom/emscripten"
mount_in home/player/.cache/grimfathom/emscripten --bind "$here/emscripten"
chroot "$run" chown player:player /home/player/.cache /home/player/.cache/grimfathom /home/player/.cache/grimfathom/emscripten

step "cloning the current commit"
# As root, git refuses a repository that its caller owns (safe.directory); the caller, who may
# run anything through sudo, vouches for it.
export GIT_CONFIG_GLOBAL="$run/tmp/caller.gitconfig"
printf '[safe]\n\tdirectory = *\n' >"$GIT_CONFIG_GLOBAL"
commit=$(git -C "$repo" rev-parse HEAD)
git clone --quiet --no-checkout "$repo" "$run/home/player/grimfathom"
git -C "$run/home/player/grimfathom" checkout --quiet --detach "$commit"
chroot "$run" chown -R player:player /home/player/grimfathom

echo "Running in Debian $release on commit ${commit:0:12}: $command"
# In the background, so that a signal reaches the trap at once rather than when the tests end.
step "running $command in Debian $release"
chroot "$run" /usr/bin/env -i "${environment[@]}" \
  su --login --whitelist-environment=NODE_EXTRA_CA_CERTS player -c "cd grimfathom && $command" &
wait $!
