// Windows icon files, written from PNGs.
#pragma once

#include <string>
#include <vector>

// The bytes of an .ico holding each PNG (at most 256 x 256) as an entry of its own, smallest
// first. The entries stay PNG-compressed, as Windows reads them since Vista.
std::string iconFile(std::vector<std::string> pngs);
