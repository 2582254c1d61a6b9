// Our own upper-case pixel font, drawn into captions, the digit strip and the minus sign.
#pragma once

#include "sfml_compat_tools.h"

#include <string>

struct Lettering {
    unsigned scale;       // screen pixels per font pixel
    sf::Color top;        // fill of a glyph's top row, shading to...
    sf::Color bottom;     // ...the fill of its bottom row
};

sf::Image paintCaption(const std::string& text, const Lettering& style);
sf::Image paintDigitStrip(const Lettering& style, unsigned cellWidth);
sf::Image paintMinus(const Lettering& style, unsigned cellWidth, unsigned barDrop);
