// Packs PNGs into a Windows .ico: a directory of sizes and offsets, then the PNGs as they are.
#include "ico.h"

#include <algorithm>

namespace {

void putLittleEndian(std::string& out, unsigned value, unsigned bytes)
{
    for (unsigned i = 0; i < bytes; ++i)
        out.push_back(char((value >> (8 * i)) & 0xff));
}

// Width or height from the IHDR chunk, which follows the 8-byte signature and its 8-byte header.
unsigned pngDimension(const std::string& png, unsigned which)
{
    unsigned value = 0;
    for (unsigned i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(png.at(16 + 4 * which + i));
    return value;
}

} // namespace

std::string iconFile(std::vector<std::string> pngs)
{
    std::stable_sort(pngs.begin(), pngs.end(),
                     [](const std::string& a, const std::string& b) { return pngDimension(a, 0) < pngDimension(b, 0); });
    std::string out;
    putLittleEndian(out, 0, 2);   // reserved
    putLittleEndian(out, 1, 2);   // an icon, not a cursor
    putLittleEndian(out, unsigned(pngs.size()), 2);
    unsigned offset = 6 + 16 * unsigned(pngs.size());
    for (const std::string& png : pngs) {
        out.push_back(char(pngDimension(png, 0) % 256));   // 256 is written as 0
        out.push_back(char(pngDimension(png, 1) % 256));
        putLittleEndian(out, 0, 2);    // no palette, reserved
        putLittleEndian(out, 1, 2);    // colour planes
        putLittleEndian(out, 32, 2);   // bits per pixel
        putLittleEndian(out, unsigned(png.size()), 4);
        putLittleEndian(out, offset, 4);
        offset += unsigned(png.size());
    }
    for (const std::string& png : pngs)
        out += png;
    return out;
}
