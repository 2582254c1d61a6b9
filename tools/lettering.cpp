// Glyphs are 5 x 7 grids; each font pixel becomes a block, then the text gets a rim and a shadow.
#include "lettering.h"

#include "paint.h"

#include <array>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

using Glyph = std::array<const char*, 7>;

const unsigned glyphWidth = 5;
const unsigned glyphHeight = 7;
const unsigned rim = 2;        // dark outline all round, in screen pixels
const unsigned shadow = 2;     // further drop down and right, in screen pixels

const std::map<char, Glyph>& glyphs()
{
    static const std::map<char, Glyph> font = {
        {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
        {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
        {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
        {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
        {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
        {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
        {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
        {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
        {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
        {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
        {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
        {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
        {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
        {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
        {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
        {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
        {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
        {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
        {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
        {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
        {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
        {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
        {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
        {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    };
    return font;
}

const Glyph& glyphFor(char letter)
{
    auto found = glyphs().find(letter);
    if (found == glyphs().end())
        throw std::invalid_argument(std::string("no glyph for '") + letter + "'");
    return found->second;
}

sf::Color blend(sf::Color from, sf::Color to, float t)
{
    auto mix = [t](std::uint8_t a, std::uint8_t b) { return std::uint8_t(float(a) + (float(b) - float(a)) * t + 0.5f); };
    return sf::Color(mix(from.r, to.r), mix(from.g, to.g), mix(from.b, to.b));
}

// Shading steps once per font row, so the gradient keeps the blocky look of the letters.
void drawGlyph(sf::Image& image, char letter, unsigned left, unsigned top, const Lettering& style)
{
    const Glyph& glyph = glyphFor(letter);
    float s = float(style.scale);
    for (unsigned row = 0; row < glyphHeight; ++row) {
        sf::Color fill = blend(style.top, style.bottom, float(row) / float(glyphHeight - 1));
        for (unsigned column = 0; column < glyphWidth; ++column) {
            if (glyph[row][column] == '#')
                paint(image, rectangle(float(left) + float(column) * s, float(top) + float(row) * s, s, s), fill);
        }
    }
}

// Every opaque pixel casts a copy of itself down and right, where the spot is still empty.
void dropShadow(sf::Image& image, unsigned offset, sf::Color colour)
{
    sf::Image before = image;
    sf::Vector2u size = image.getSize();
    for (unsigned y = offset; y < size.y; ++y) {
        for (unsigned x = offset; x < size.x; ++x) {
            if (pixelAt(before, x, y).a == 0 && pixelAt(before, x - offset, y - offset).a != 0)
                setPixelAt(image, x, y, colour);
        }
    }
}

void frameLetters(sf::Image& image)
{
    outline(image, ink, rim, true);
    dropShadow(image, shadow, sf::Color(0, 0, 0, 150));   // soft black: the sea shows through a little
}

// Left edge of each letter in font pixels, then the width of the whole line last.
std::vector<unsigned> letterPositions(const std::string& text)
{
    std::vector<unsigned> lefts;
    unsigned left = 0;
    for (char letter : text) {
        lefts.push_back(left);
        left += (letter == ' ' ? 2 : glyphWidth) + 1;    // a space is two font pixels; one between letters
    }
    lefts.push_back(left - 1);
    return lefts;
}

} // namespace

sf::Image paintCaption(const std::string& text, const Lettering& style)
{
    std::vector<unsigned> lefts = letterPositions(text);
    sf::Image image = blankImage(lefts.back() * style.scale + 2 * rim + shadow,
                                 glyphHeight * style.scale + 2 * rim + shadow);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ')
            drawGlyph(image, text[i], rim + lefts[i] * style.scale, rim, style);
    }
    frameLetters(image);
    return image;
}

// Each digit is centred in its cell, so a cell's middle is the digit's middle.
sf::Image paintDigitStrip(const Lettering& style, unsigned cellWidth)
{
    sf::Image image = blankImage(10 * cellWidth, glyphHeight * style.scale + 2 * rim + shadow);
    for (unsigned digit = 0; digit < 10; ++digit) {
        unsigned left = digit * cellWidth + (cellWidth - glyphWidth * style.scale) / 2;
        drawGlyph(image, char('0' + digit), left, rim, style);
    }
    frameLetters(image);
    return image;
}

// The game hangs this picture barDrop pixels above the digits' middle, so the bar is drawn
// barDrop pixels below where the digits' middle row falls in a picture of their height.
sf::Image paintMinus(const Lettering& style, unsigned cellWidth, unsigned barDrop)
{
    sf::Image image = blankImage(cellWidth, glyphHeight * style.scale + 2 * rim + shadow);
    unsigned left = (cellWidth - glyphWidth * style.scale) / 2;
    drawGlyph(image, '-', left, rim + barDrop, style);
    frameLetters(image);
    return image;
}
