// Lays the submarine, a torpedo and a squid on a rounded tile of sea, at every size the desktops
// and Windows ask for: larger sizes paint the same scene magnified, smaller ones average it down.
#include "icon.h"

#include "paint.h"

#include <cmath>

namespace {

const unsigned tileSize = 128;   // the scene's own size, at which the sprites show at 1x

// A squircle rather than a circle, so the tile fills the corners as launcher icons do.
Shape tileShape(float scale, float radius = 61.0f)
{
    return ellipse(64.0f * scale, 64.0f * scale, radius * scale, radius * scale, 5.0f);
}

// Light from above: the sea darkens row by row, through the game's own sea colour in the middle.
void paintSea(sf::Image& icon, const Shape& tile)
{
    unsigned size = icon.getSize().y;
    for (unsigned row = 0; row < size; ++row) {
        float t = float(row) / float(size - 1);
        auto mix = [t](std::uint8_t a, std::uint8_t b) { return std::uint8_t(std::lround(float(a) + (float(b) - float(a)) * t)); };
        sf::Color colour(mix(shallowSea.r, deepSea.r), mix(shallowSea.g, deepSea.g), mix(shallowSea.b, deepSea.b));
        for (unsigned x = 0; x < size; ++x)
            if (tile(float(x) + 0.5f, float(row) + 0.5f))
                setPixelAt(icon, x, row, colour);
    }
}

void paintBubbles(sf::Image& icon, float scale)
{
    sf::Color film(176, 228, 238);
    sf::Color glint(240, 252, 255);
    for (Point bubble : {Point{36.0f, 62.0f}, Point{30.0f, 48.0f}, Point{38.0f, 34.0f}}) {
        float radius = (bubble.y - 20.0f) / 14.0f;   // smaller as they rise
        float x = bubble.x * scale, y = bubble.y * scale;
        paint(icon, ellipse(x, y, (radius + 1.0f) * scale, (radius + 1.0f) * scale), film);
        paint(icon, ellipse(x, y, radius * scale, radius * scale), shallowSea);
        paint(icon, rectangle(x - radius * 0.6f * scale, y - radius * 0.6f * scale, scale, scale), glint);
    }
}

// Source-over onto the tile only, so nothing leaks into the transparent corners; each sprite
// pixel becomes a square of scale x scale, as the game's unsmoothed pixels look enlarged.
void place(sf::Image& icon, const sf::Image& sprite, unsigned left, unsigned top, unsigned scale)
{
    sf::Vector2u size = sprite.getSize() * scale;
    for (unsigned y = 0; y < size.y; ++y) {
        for (unsigned x = 0; x < size.x; ++x) {
            sf::Color over = pixelAt(sprite, x / scale, y / scale);
            sf::Color under = pixelAt(icon, left * scale + x, top * scale + y);
            if (under.a == 0 || over.a == 0)
                continue;
            float a = float(over.a) / 255.0f;
            auto mix = [a](std::uint8_t o, std::uint8_t u) { return std::uint8_t(std::lround(float(o) * a + float(u) * (1.0f - a))); };
            sf::Color blend(mix(over.r, under.r), mix(over.g, under.g), mix(over.b, under.b));
            setPixelAt(icon, left * scale + x, top * scale + y, blend);
        }
    }
}

// The squid bears down from the top right while the submarine's torpedo runs beneath it.
sf::Image paintScene(const Pictures& pictures, unsigned scale)
{
    sf::Image icon = blankImage(tileSize * scale, tileSize * scale);
    paintSea(icon, tileShape(float(scale)));
    paintBubbles(icon, float(scale));
    place(icon, pictures.at("squid.png"), 58, 8, scale);
    place(icon, pictures.at("torpedo.png"), 80, 80, scale);
    place(icon, pictures.at("submarine.png"), 8, 68, scale);
    outline(icon, ink, 2 * scale, true);
    return icon;
}

// Each small pixel averages factor x factor large ones, weighted by their opacity so the rim stays dark.
sf::Image shrink(const sf::Image& large, unsigned factor)
{
    sf::Vector2u size = large.getSize() / factor;
    sf::Image small = blankImage(size.x, size.y);
    for (unsigned y = 0; y < size.y; ++y) {
        for (unsigned x = 0; x < size.x; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            for (unsigned k = 0; k < factor * factor; ++k) {
                sf::Color c = pixelAt(large, factor * x + k % factor, factor * y + k / factor);
                float weight = float(c.a);
                r += float(c.r) * weight;
                g += float(c.g) * weight;
                b += float(c.b) * weight;
                a += weight;
            }
            auto channel = [](float value) { return std::uint8_t(std::lround(value)); };
            if (a > 0)
                setPixelAt(small, x, y, sf::Color(channel(r / a), channel(g / a), channel(b / a), channel(a / float(factor * factor))));
        }
    }
    return small;
}

// For 32 and 16 pixels, where the bubbles and the torpedo would be a smudge: the submarine and the
// squid alone on the tile, shrunk later by factor, with a rim that stays one pixel wide.
sf::Image paintBadge(const Pictures& pictures, unsigned factor)
{
    sf::Image icon = blankImage(tileSize, tileSize);
    paintSea(icon, tileShape(1.0f, 63.0f - float(factor)));
    place(icon, pictures.at("squid.png"), 54, 10, 1);
    place(icon, pictures.at("submarine.png"), 12, 70, 1);
    outline(icon, ink, factor, true);
    return icon;
}

} // namespace

Pictures paintIcons(const Pictures& pictures)
{
    sf::Image scene = paintScene(pictures, 1);
    Pictures icons;
    icons["icon-256.png"] = paintScene(pictures, 2);
    icons["icon-128.png"] = scene;
    icons["icon-64.png"] = shrink(scene, 2);
    icons["icon-48.png"] = shrink(paintScene(pictures, 3), 8);   // 48 is no whole fraction of 128
    icons["icon-32.png"] = shrink(paintBadge(pictures, 4), 4);
    icons["icon-16.png"] = shrink(paintBadge(pictures, 8), 8);
    return icons;
}

namespace {

// Full bleed, as a launcher that crops icons to its own shape needs: sea to every edge, and the
// whole tile within the middle circle, 80 % across, that every crop keeps.
sf::Image paintMaskable(const sf::Image& tile)
{
    sf::Image icon = blankImage(512, 512);
    paintSea(icon, rectangle(0.0f, 0.0f, 512.0f, 512.0f));
    drawOver(icon, tile, {64, 64});    // 384 wide, centred
    return icon;
}

} // namespace

Pictures paintWebIcons(const Pictures& pictures)
{
    sf::Image tile = paintScene(pictures, 3);
    Pictures icons;
    icons["icon-192.png"] = shrink(tile, 2);
    icons["icon-512-maskable.png"] = paintMaskable(tile);
    return icons;
}
