// The game's five sound effects, synthesized.
#pragma once

#include <SFML/Config.hpp>

#include <map>
#include <string>
#include <vector>

const unsigned sampleRate = 44100;   // mono, 16-bit

using Sounds = std::map<std::string, std::vector<sf::Int16>>;

Sounds synthesizeSounds();
