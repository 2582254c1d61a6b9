// The game's moving pictures: submarine, squid, torpedo and explosion.
#pragma once

#include <SFML/Graphics/Image.hpp>

sf::Image paintSubmarine();
sf::Image paintSquid();
sf::Image paintTorpedo();
sf::Image paintExplosion();
