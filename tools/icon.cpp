// Lays the submarine, a torpedo and a squid on a rounded tile of sea, and halves it for the small size.
#include "icon.h"

#include "paint.h"

#include <cmath>

namespace {

const unsigned tileSize = 128;
const sf::Color shallows(44, 140, 164);
const sf::Color deep(12, 70, 90);

// A squircle rather than a circle, so the tile fills the corners as launcher icons do.
Shape tileShape()
{
    return ellipse(64.0f, 64.0f, 61.0f, 61.0f, 5.0f);
}

// Light from above: the sea darkens row by row, through the game's own sea colour in the middle.
void paintSea(sf::Image& icon)
{
    Shape tile = tileShape();
    for (unsigned row = 0; row < tileSize; ++row) {
        float t = float(row) / float(tileSize - 1);
        auto mix = [t](sf::Uint8 a, sf::Uint8 b) { return sf::Uint8(std::lround(float(a) + (float(b) - float(a)) * t)); };
        sf::Color colour(mix(shallows.r, deep.r), mix(shallows.g, deep.g), mix(shallows.b, deep.b));
        paint(icon, intersect(tile, rectangle(0.0f, float(row), float(tileSize), 1.0f)), colour);
    }
}

void paintBubbles(sf::Image& icon)
{
    sf::Color rim(176, 228, 238);
    sf::Color glint(240, 252, 255);
    for (Point bubble : {Point{36.0f, 62.0f}, Point{30.0f, 48.0f}, Point{38.0f, 34.0f}}) {
        float radius = (bubble.y - 20.0f) / 14.0f;   // smaller as they rise
        paint(icon, ellipse(bubble.x, bubble.y, radius + 1.0f, radius + 1.0f), rim);
        paint(icon, ellipse(bubble.x, bubble.y, radius, radius), shallows);
        paint(icon, rectangle(bubble.x - radius * 0.6f, bubble.y - radius * 0.6f, 1.0f, 1.0f), glint);
    }
}

// Source-over onto the tile only, so nothing leaks into the transparent corners.
void place(sf::Image& icon, const sf::Image& sprite, unsigned left, unsigned top)
{
    sf::Vector2u size = sprite.getSize();
    for (unsigned y = 0; y < size.y; ++y) {
        for (unsigned x = 0; x < size.x; ++x) {
            sf::Color over = sprite.getPixel(x, y);
            sf::Color under = icon.getPixel(left + x, top + y);
            if (under.a == 0 || over.a == 0)
                continue;
            float a = float(over.a) / 255.0f;
            auto mix = [a](sf::Uint8 o, sf::Uint8 u) { return sf::Uint8(std::lround(float(o) * a + float(u) * (1.0f - a))); };
            icon.setPixel(left + x, top + y, sf::Color(mix(over.r, under.r), mix(over.g, under.g), mix(over.b, under.b)));
        }
    }
}

// Each small pixel averages four large ones, weighted by their opacity so the rim stays dark.
sf::Image halve(const sf::Image& large)
{
    sf::Vector2u size = large.getSize() / 2u;
    sf::Image small = blankImage(size.x, size.y);
    for (unsigned y = 0; y < size.y; ++y) {
        for (unsigned x = 0; x < size.x; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            for (unsigned k = 0; k < 4; ++k) {
                sf::Color c = large.getPixel(2 * x + k % 2, 2 * y + k / 2);
                float weight = float(c.a);
                r += float(c.r) * weight;
                g += float(c.g) * weight;
                b += float(c.b) * weight;
                a += weight;
            }
            if (a > 0)
                small.setPixel(x, y, sf::Color(sf::Uint8(std::lround(r / a)), sf::Uint8(std::lround(g / a)),
                                               sf::Uint8(std::lround(b / a)), sf::Uint8(std::lround(a / 4))));
        }
    }
    return small;
}

} // namespace

// The squid bears down from the top right while the submarine's torpedo runs beneath it.
Pictures paintIcons(const Pictures& pictures)
{
    sf::Image icon = blankImage(tileSize, tileSize);
    paintSea(icon);
    paintBubbles(icon);
    place(icon, pictures.at("squid.png"), 58, 8);
    place(icon, pictures.at("torpedo.png"), 80, 80);
    place(icon, pictures.at("submarine.png"), 8, 68);
    outline(icon, sf::Color(14, 22, 38), 2, true);
    Pictures icons;
    icons["icon-128.png"] = icon;
    icons["icon-64.png"] = halve(icon);
    return icons;
}
