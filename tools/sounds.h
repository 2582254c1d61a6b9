// The game's five sound effects, synthesized.
#pragma once

#include <cstdint>

#include <map>
#include <string>
#include <vector>

const unsigned sampleRate = 44100;   // mono, 16-bit

using Sounds = std::map<std::string, std::vector<std::int16_t>>;

Sounds synthesizeSounds();
