// A scratch working folder beside a scratch res/, so the game's own loaders, which read
// "../res/NAME", read what the fuzzer writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Makes the folders, works in the one beside res/, and removes both at exit.
void enterScratchFolder();

// Writes the fuzzer's input as res/NAME.
void writeResource(const std::string& name, const std::uint8_t* data, std::size_t size);
