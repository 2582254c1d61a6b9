// The game's moving pictures: submarine, squid, torpedo and explosion.
#pragma once

#include "sfml_compat_tools.h"

sf::Image paintSubmarine();
sf::Image paintSquid();
sf::Image paintTorpedo();
sf::Image paintExplosion();
