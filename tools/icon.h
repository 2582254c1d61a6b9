// The launcher icon, painted from the game's own sprites, at the sizes desktops ask for.
#pragma once

#include "pictures.h"

// "icon-128.png" and "icon-64.png", from the submarine, squid and torpedo in pictures.
Pictures paintIcons(const Pictures& pictures);
