// The contact sheet: every picture at 1x, and the game's screens composed as the game places them;
// and the web page's poster, one such screen.
#pragma once

#include "pictures.h"

sf::Image composeSheet(const Pictures& pictures);

// The sea as a level opens, the submarine at its start and a squid on its way, with no caption:
// the web page shows it where the game will draw until the game's first frame replaces it.
sf::Image composePoster(const Pictures& pictures);
