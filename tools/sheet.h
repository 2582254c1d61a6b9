// The contact sheet: every picture at 1x, and the game's screens composed as the game places them.
#pragma once

#include "pictures.h"

sf::Image composeSheet(const Pictures& pictures);
