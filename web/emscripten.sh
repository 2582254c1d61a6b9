# Sourced by the web scripts: what they need of Debian's Emscripten.
# Debian's emcc, run by a Node.js newer than Debian's own (as Node 20 from NodeSource), finds its
# JavaScript parser acorn only among Debian's Node modules.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

# SFML 2.5.1 keeps text in std::basic_string of Uint8, Uint16 and Uint32, for whose code units the
# libc++ of newer Emscriptens has no std::char_traits (libc++ dropped its generic one in LLVM 19;
# Debian forky's Emscripten 6.0.5 has that libc++, Debian 13's 3.1.69 not yet). Such an Emscripten
# is refused at once rather than deep in SFML's compile.
require_sfml_emscripten() {
  printf '#include <string>\nstd::basic_string<unsigned char> text(1, 0);\n' |
    emcc -x c++ -std=c++17 -fsyntax-only - 2>/dev/null && return
  echo "${0##*/}: this Emscripten ($(emcc --version | sed -n '1s/.*) \([0-9.]*\) .*/\1/p')) cannot build SFML 2.5.1: its libc++ has no std::char_traits for the unsigned code units of SFML's sf::String. Debian 12's and Debian 13's Emscripten can." >&2
  exit 1
}
