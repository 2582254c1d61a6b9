// Every fuzz target runs in a scratch working folder beside a scratch res/, made before the
// first input, so the game's own loaders, which read "../res/NAME", read what the fuzzer wrote.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes the fuzzer's input as res/NAME.
void writeResource(const std::string& name, const std::uint8_t* data, std::size_t size);
