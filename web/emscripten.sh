# Sourced by the web scripts: what they need of Debian's Emscripten.
# Debian's emcc, run by a Node.js newer than Debian's own (as Node 20 from NodeSource), finds its
# JavaScript parser acorn only among Debian's Node modules.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
