# Sourced by the web scripts: what they need of Debian's Emscripten.
# Debian's emcc, run by a Node.js newer than Debian's own (as Node 20 from NodeSource), finds its
# JavaScript parser acorn only among Debian's Node modules.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

# Emscripten compiles its system libraries (libc, libc++, the GL emulation...) at their first use,
# for some 12 minutes on two cores; they are kept in the one cache, under emscripten/ in a folder
# for each Emscripten and the clang it runs, where Emscripten's own lock guards them.
# (scripts/test-debian.sh lends a chroot its release's emscripten/.) Debian 12's Emscripten comes
# with them built, in a cache it keeps frozen.
[ "$(em-config FROZEN_CACHE)" = True ] ||
  export EM_CACHE="$cache/emscripten/$(emcc -v 2>&1 | sha256sum | cut -c1-12)"
