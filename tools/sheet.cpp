// Lays four 800 x 600 sea panels on a dark sheet: the pictures, play, results and level intro.
#include "sheet.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

const sf::Color sea(20, 102, 126);
const int panelWidth = 800;
const int panelHeight = 600;
const int margin = 20;

enum class Origin { Centre, DigitCell, RightMiddle, TopLeft };

// A part of a picture, in its pixels.
struct PictureArea {
    int left;
    int top;
    int width;
    int height;
};

// One sprite as the game draws it: where its origin lands, how big, how faded, which part.
struct Placement {
    float x;
    float y;
    Origin origin = Origin::Centre;
    float scale = 1.0f;
    float alpha = 1.0f;
    PictureArea area = {};      // empty for the whole picture
};

// A panel is one 800 x 600 screen; nothing stamped on it spills outside it.
struct Panel {
    sf::Image& sheet;
    int left;
    int top;
};

sf::Vector2f originOf(const sf::Image& picture, Origin origin)
{
    sf::Vector2u size = picture.getSize();
    switch (origin) {
    case Origin::DigitCell: return {float(size.x / 20), float(size.y / 2)};
    case Origin::RightMiddle: return {float(size.x), float(size.y / 2)};
    case Origin::TopLeft: return {0.0f, 0.0f};
    case Origin::Centre: break;
    }
    return {float(size.x / 2), float(size.y / 2)};
}

void blendPixel(sf::Image& sheet, unsigned x, unsigned y, sf::Color colour, float alpha)
{
    float a = float(colour.a) / 255.0f * alpha;
    sf::Color under = pixelAt(sheet, x, y);
    auto mix = [a](std::uint8_t over, std::uint8_t below) {
        return std::uint8_t(std::lround(float(over) * a + float(below) * (1.0f - a)));
    };
    setPixelAt(sheet, x, y, sf::Color(mix(colour.r, under.r), mix(colour.g, under.g), mix(colour.b, under.b)));
}

// Samples the nearest source pixel for every screen pixel, as an unsmoothed texture does.
void stamp(const Panel& panel, const sf::Image& picture, const Placement& place)
{
    PictureArea area = place.area.width > 0 ? place.area
                                            : PictureArea{0, 0, int(picture.getSize().x), int(picture.getSize().y)};
    sf::Vector2f origin = originOf(picture, place.origin);
    float left = place.x - origin.x * place.scale;
    float top = place.y - origin.y * place.scale;
    int x0 = std::max(0, int(std::floor(left)));
    int y0 = std::max(0, int(std::floor(top)));
    int x1 = std::min(panelWidth, int(std::ceil(left + float(area.width) * place.scale)));
    int y1 = std::min(panelHeight, int(std::ceil(top + float(area.height) * place.scale)));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int u = int(std::floor((float(x) + 0.5f - left) / place.scale));
            int v = int(std::floor((float(y) + 0.5f - top) / place.scale));
            if (u < 0 || v < 0 || u >= area.width || v >= area.height)
                continue;
            sf::Color colour = pixelAt(picture, unsigned(area.left + u), unsigned(area.top + v));
            blendPixel(panel.sheet, unsigned(panel.left + x), unsigned(panel.top + y), colour, place.alpha);
        }
    }
}

// Mirrors the game's number drawing: a minus hung at (x - 5, y - 6), digits a cell apart.
void stampNumber(const Panel& panel, const Pictures& pictures, int value, float x, float y)
{
    const sf::Image& strip = pictures.at("numbers.png");
    int cell = int(strip.getSize().x / 10);
    if (value < 0) {
        stamp(panel, pictures.at("minus.png"), {x - 5.0f, y - 6.0f});
        x += float(cell);
    }
    std::string digits = std::to_string(std::abs(value));
    for (char digit : digits) {
        PictureArea area{(digit - '0') * cell, 0, cell, int(strip.getSize().y)};
        stamp(panel, strip, {x, y, Origin::DigitCell, 1.0f, 1.0f, area});
        x += float(cell);
    }
}

void fillPanel(const Panel& panel)
{
    for (int y = 0; y < panelHeight; ++y) {
        for (int x = 0; x < panelWidth; ++x)
            setPixelAt(panel.sheet, unsigned(panel.left + x), unsigned(panel.top + y), sea);
    }
}

// Every picture at 1x, in rows that wrap at the panel's edge.
void composeGallery(const Panel& panel, const Pictures& pictures)
{
    const char* order[] = {"submarine.png", "torpedo.png", "squid.png", "explosion.png", "minus.png",
                           "numbers.png", "level.png", "score.png", "gameover.png",
                           "monsterskilled.png", "torpedosfired.png"};
    int x = 30;
    int y = 30;
    int rowHeight = 0;
    for (const char* name : order) {
        sf::Vector2u size = pictures.at(name).getSize();
        if (x + int(size.x) > panelWidth - 30) {
            x = 30;
            y += rowHeight + 30;
            rowHeight = 0;
        }
        stamp(panel, pictures.at(name), {float(x), float(y), Origin::TopLeft});
        x += int(size.x) + 30;
        rowHeight = std::max(rowHeight, int(size.y));
    }
}

// The moments the rules care about: a launch, a torpedo hit, a catch, and fading blasts.
void composePlay(const Panel& panel, const Pictures& pictures)
{
    const sf::Image& sub = pictures.at("submarine.png");
    float launch = float(sub.getSize().x) - 10.0f;          // the game's launch offset
    stamp(panel, sub, {120.0f, 200.0f});
    stamp(panel, pictures.at("torpedo.png"), {120.0f + launch, 200.0f});
    stamp(panel, pictures.at("squid.png"), {531.0f, 200.0f});
    stamp(panel, pictures.at("torpedo.png"), {480.0f, 200.0f});   // 51 px from the squid: a hit
    stamp(panel, sub, {200.0f, 430.0f});
    stamp(panel, pictures.at("squid.png"), {231.0f, 430.0f});     // 31 px from the sub: caught
    const sf::Image& blast = pictures.at("explosion.png");
    stamp(panel, blast, {480.0f, 430.0f, Origin::Centre, 0.5f, 1.0f});
    stamp(panel, blast, {580.0f, 430.0f, Origin::Centre, 0.75f, 0.5f});
    stamp(panel, blast, {690.0f, 430.0f, Origin::Centre, 0.95f, 0.1f});
}

void composeResults(const Panel& panel, const Pictures& pictures)
{
    stamp(panel, pictures.at("gameover.png"), {400.0f, 300.0f});
    stamp(panel, pictures.at("score.png"), {250.0f, 60.0f});
    stamp(panel, pictures.at("level.png"), {260.0f, 160.0f});
    stamp(panel, pictures.at("monsterskilled.png"), {380.0f, 440.0f, Origin::RightMiddle});
    stamp(panel, pictures.at("torpedosfired.png"), {380.0f, 520.0f, Origin::RightMiddle});
    stampNumber(panel, pictures, -1, 450.0f, 70.0f);
    stampNumber(panel, pictures, 3, 450.0f, 170.0f);
    stampNumber(panel, pictures, 12, 450.0f, 445.0f);
    stampNumber(panel, pictures, 25, 450.0f, 530.0f);
}

// Level 3 as it opens: the submarine at its start and the level's three squids.
void composeLevelIntro(const Panel& panel, const Pictures& pictures)
{
    stamp(panel, pictures.at("submarine.png"), {50.0f, 300.0f});
    stamp(panel, pictures.at("squid.png"), {640.0f, 120.0f});
    stamp(panel, pictures.at("squid.png"), {700.0f, 420.0f});
    stamp(panel, pictures.at("squid.png"), {380.0f, 520.0f});
    stamp(panel, pictures.at("level.png"), {300.0f, 300.0f});
    stampNumber(panel, pictures, 3, 500.0f, 300.0f);
}

} // namespace

sf::Image composePoster(const Pictures& pictures)
{
    sf::Image poster = filledImage({panelWidth, panelHeight}, sea);
    Panel panel{poster, 0, 0};
    stamp(panel, pictures.at("submarine.png"), {50.0f, 300.0f});
    stamp(panel, pictures.at("squid.png"), {640.0f, 120.0f});
    return poster;
}

sf::Image composeSheet(const Pictures& pictures)
{
    sf::Image sheet = filledImage({3 * margin + 2 * panelWidth, 3 * margin + 2 * panelHeight}, sf::Color(8, 28, 38));
    Panel gallery{sheet, margin, margin};
    Panel play{sheet, 2 * margin + panelWidth, margin};
    Panel results{sheet, margin, 2 * margin + panelHeight};
    Panel intro{sheet, 2 * margin + panelWidth, 2 * margin + panelHeight};
    for (const Panel* panel : {&gallery, &play, &results, &intro})
        fillPanel(*panel);
    composeGallery(gallery, pictures);
    composePlay(play, pictures);
    composeResults(results, pictures);
    composeLevelIntro(intro, pictures);
    return sheet;
}
