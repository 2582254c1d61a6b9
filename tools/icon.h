// The launcher icon, painted from the game's own sprites, at the sizes desktops and Windows ask for.
#pragma once

#include "pictures.h"

// "icon-N.png" for N of 16, 32, 48, 64, 128 and 256, from the submarine, squid and torpedo in pictures.
Pictures paintIcons(const Pictures& pictures);
