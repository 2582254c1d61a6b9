// The launcher icon, painted from the game's own sprites, at the sizes desktops and Windows ask for.
#pragma once

#include "pictures.h"

// "icon-N.png" for N of 16, 32, 48, 64, 128 and 256, from the submarine, squid and torpedo in pictures.
Pictures paintIcons(const Pictures& pictures);

// For the web page's manifest: "icon-192.png", the launcher tile, and "icon-512-maskable.png", the
// tile on sea to the edges, for launchers that crop icons to a shape of their own.
Pictures paintWebIcons(const Pictures& pictures);
