// Paints the moving pictures in layers: far parts first, then body, shading, details, outline.
#include "sprites.h"

#include "paint.h"
#include "random.h"
#include "steady.h"

#include <cmath>

namespace {

void paintPropellerAndFins(sf::Image& sub)
{
    sf::Color steel(168, 178, 190);
    sf::Color fin(226, 146, 34);
    paint(sub, rectangle(3.0f, 22.0f, 6.0f, 4.0f), sf::Color(90, 98, 112));   // shaft
    paint(sub, ellipse(3.5f, 24.0f, 2.2f, 8.5f), steel);                      // blades edge-on
    paint(sub, polygon({{9, 20}, {7, 10}, {13, 10}, {20, 18}}), fin);         // upper tail fin
    paint(sub, polygon({{9, 28}, {7, 38}, {13, 38}, {20, 30}}), fin);         // lower tail fin
}

void paintTower(sf::Image& sub)
{
    sf::Color hull(246, 196, 44);
    paint(sub, rectangle(44.0f, 2.0f, 2.0f, 6.0f), sf::Color(120, 130, 146));  // periscope mast
    paint(sub, rectangle(44.0f, 1.0f, 6.0f, 3.0f), sf::Color(150, 160, 176));  // periscope head
    paint(sub, rectangle(49.0f, 2.0f, 1.0f, 1.0f), sf::Color(150, 230, 255));  // its lens
    paint(sub, ellipse(39.5f, 13.5f, 9.0f, 6.5f, 4.0f), hull);                 // the tower
    paint(sub, rectangle(32.0f, 8.0f, 15.0f, 1.0f), sf::Color(255, 238, 150), Layer::OverPaint);  // lit top
}

// The hull spans the whole width so the nose sits exactly on the picture's right edge,
// where the game's launch point puts the torpedo's tail a few pixels ahead of it.
void paintHull(sf::Image& sub)
{
    Shape hull = ellipse(38.5f, 24.0f, 32.0f, 10.5f, 2.4f);
    paint(sub, hull, sf::Color(246, 196, 44));
    paint(sub, intersect(hull, rectangle(0.0f, 29.0f, 72.0f, 11.0f)), sf::Color(204, 136, 28));  // belly shade
    paint(sub, ellipse(40.0f, 17.5f, 24.0f, 1.6f), sf::Color(255, 238, 150), Layer::OverPaint);  // light on top
    paint(sub, intersect(hull, rectangle(0.0f, 31.0f, 72.0f, 1.0f)), sf::Color(186, 58, 40));  // waterline
    paint(sub, ellipse(66.5f, 20.5f, 1.6f, 1.6f), sf::Color(60, 50, 40));      // torpedo tube
}

void paintPorthole(sf::Image& sub, float cx, float cy)
{
    paint(sub, ellipse(cx, cy, 3.6f, 3.6f), sf::Color(168, 108, 22));                  // brass rim
    paint(sub, ellipse(cx, cy, 2.4f, 2.4f), sf::Color(120, 206, 236));                 // glass
    paint(sub, rectangle(cx - 1.5f, cy - 1.5f, 1.0f, 1.0f), sf::Color(240, 252, 255)); // glint
}

} // namespace

sf::Image paintSubmarine()
{
    sf::Image sub = blankImage(72, 40);   // 72 wide: launched at x + 72 - 10, a torpedo clears the nose by 6 px
    paintPropellerAndFins(sub);
    paintTower(sub);
    paintHull(sub);
    for (float x : {27.5f, 39.5f, 51.5f})
        paintPorthole(sub, x, 23.5f);
    outline(sub, ink, 1, false);
    return sub;
}

namespace {

// Arms curl outward and up at mid-height, so a torpedo arriving level with the squid's
// centre meets a tentacle tip just as the game counts the hit.
void paintLongTentacles(sf::Image& squid, sf::Color skin)
{
    for (float side : {-1.0f, 1.0f}) {
        auto at = [side](float dx, float y) { return Point{32.0f + side * dx, y}; };
        paint(squid, stroke({at(12, 39), at(20, 42), at(26, 40), at(29, 35), at(28, 30)}, 2.6f, 1.4f), skin);
        paint(squid, ellipse(32.0f + side * 28.5f, 29.5f, 2.6f, 3.2f), skin);    // the club
    }
}

void paintShortArms(sf::Image& squid, sf::Color skin)
{
    for (float side : {-1.0f, 1.0f}) {
        auto at = [side](float dx, float y) { return Point{32.0f + side * dx, y}; };
        paint(squid, stroke({at(9, 42), at(15, 50), at(17, 57), at(13, 61)}, 2.6f, 1.2f), skin);
        paint(squid, stroke({at(5, 43), at(8, 52), at(7, 59), at(4, 62)}, 2.6f, 1.2f), skin);
        paint(squid, stroke({at(1.5f, 43), at(2.5f, 52), at(1, 58), at(2.5f, 62)}, 2.4f, 1.2f), skin);
    }
}

// The fins flare from the mantle's tip like an arrowhead, the squid's best-known outline.
void paintMantle(sf::Image& squid, sf::Color skin, sf::Color shade)
{
    paint(squid, polygon({{32, 1}, {53, 17}, {45, 21}, {32, 15}, {19, 21}, {11, 17}}), skin);  // fins
    paint(squid, ellipse(32.0f, 22.0f, 11.0f, 16.0f), skin);                    // mantle
    paint(squid, polygon({{32, 1}, {22, 16}, {42, 16}}), skin);                // pointed tip
    paint(squid, ellipse(32.0f, 37.0f, 15.0f, 8.0f), skin);                     // head
    paint(squid, intersect(ellipse(32.0f, 22.0f, 11.0f, 16.0f), rectangle(35.0f, 0.0f, 12.0f, 30.0f)),
          shade);                                                               // the mantle's far side
    paint(squid, ellipse(27.5f, 16.0f, 2.0f, 7.0f), sf::Color(252, 156, 172)); // sheen
}

void paintSpots(sf::Image& squid, sf::Color shade)
{
    Random random(0x5e1d);   // fixed, so the spots land in the same places every build
    for (int i = 0; i < 7; ++i) {
        float x = float(random.between(24.0, 40.0));
        float y = float(random.between(6.0, 28.0));
        paint(squid, intersect(ellipse(32.0f, 22.0f, 10.0f, 15.0f), ellipse(x, y, 1.2f, 1.2f)), shade);
    }
}

// Angry brows over eyes that glance down and left, where the submarine usually is.
void paintEyes(sf::Image& squid)
{
    for (float side : {-1.0f, 1.0f}) {
        float cx = 32.0f + side * 6.5f;
        paint(squid, ellipse(cx, 35.5f, 4.6f, 5.2f), sf::Color(248, 246, 232));          // white
        paint(squid, ellipse(cx - 1.0f, 36.5f, 2.2f, 3.2f), ink);                        // pupil
        paint(squid, rectangle(cx - 2.0f, 34.0f, 1.0f, 1.0f), sf::Color(255, 255, 255)); // glint
        auto at = [side](float dx, float y) { return Point{32.0f + side * dx, y}; };
        paint(squid, stroke({at(12, 28), at(3, 31)}, 1.3f, 1.3f), ink);                  // brow, low inside
    }
}

} // namespace

sf::Image paintSquid()
{
    sf::Color skin(228, 84, 118);
    sf::Color shade(172, 48, 90);
    sf::Image squid = blankImage(64, 64);   // half of 64 plus half a torpedo is the game's 52 px hit range
    paintLongTentacles(squid, skin);
    paintShortArms(squid, skin);
    paintMantle(squid, skin, shade);
    paintSpots(squid, shade);
    paintEyes(squid);
    outline(squid, ink, 1, false);
    return squid;
}

namespace {

// Fins reach the picture's left edge so the gap the game leaves ahead of the nose shows.
void paintTorpedoFins(sf::Image& torpedo, sf::Color red)
{
    paint(torpedo, polygon({{14, 6}, {6, 1}, {2, 1}, {5, 6}}), red);           // upper fin
    paint(torpedo, polygon({{14, 10}, {6, 15}, {2, 15}, {5, 10}}), red);       // lower fin
    paint(torpedo, rectangle(1.0f, 6.0f, 5.0f, 4.0f), sf::Color(90, 98, 112));    // propeller hub
}

void paintTorpedoBody(sf::Image& torpedo, sf::Color red)
{
    Shape body = ellipse(20.0f, 8.0f, 15.0f, 3.6f, 3.0f);
    paint(torpedo, body, sf::Color(178, 190, 204));
    paint(torpedo, intersect(body, rectangle(0.0f, 10.0f, 40.0f, 6.0f)), sf::Color(118, 130, 150));  // shade
    paint(torpedo, intersect(body, rectangle(0.0f, 5.0f, 40.0f, 1.0f)), sf::Color(236, 242, 248));   // shine
    paint(torpedo, intersect(ellipse(32.0f, 8.0f, 6.5f, 3.6f), rectangle(31.0f, 0.0f, 9.0f, 16.0f)), red);  // nose
    paint(torpedo, rectangle(35.0f, 6.0f, 2.0f, 1.0f), sf::Color(255, 170, 150), Layer::OverPaint);  // its shine
    paint(torpedo, rectangle(29.0f, 0.0f, 1.0f, 16.0f), sf::Color(70, 78, 94), Layer::OverPaint); // warhead seam
}

} // namespace

sf::Image paintTorpedo()
{
    sf::Color red(216, 52, 44);
    sf::Image torpedo = blankImage(40, 16);   // 40 long: see the submarine's and the squid's widths
    paintTorpedoFins(torpedo, red);
    paintTorpedoBody(torpedo, red);
    outline(torpedo, ink, 1, false);
    return torpedo;
}

namespace {

// A ragged star around the picture's centre: spikes of random length, valleys between them.
Shape burst(std::uint32_t seed, float reach, int spikes)
{
    Random random(seed);
    std::vector<Point> corners;
    float turn = float(random.between(0.0, 6.2832));   // any rotation, so the layers' spikes interleave
    for (int i = 0; i < 2 * spikes; ++i) {
        float angle = turn + float(i) * 3.14159265f / float(spikes);
        float radius = reach * float(i % 2 == 0 ? random.between(0.82, 1.0) : random.between(0.5, 0.64));
        corners.push_back({40.0f + radius * steady::cos(angle), 40.0f + radius * steady::sin(angle)});
    }
    return polygon(corners);
}

void paintSparks(sf::Image& blast)
{
    Random random(0xb1a57);
    for (int i = 0; i < 9; ++i) {
        float angle = float(i) * 0.698f + float(random.between(0.0, 0.4));  // nine spread round
        float radius = float(random.between(31.0, 36.0));
        float x = 40.0f + radius * steady::cos(angle);
        float y = 40.0f + radius * steady::sin(angle);
        paint(blast, rectangle(std::floor(x), std::floor(y), 2.0f, 2.0f), sf::Color(255, 214, 80));
    }
}

} // namespace

// Bold bands of colour and a dark rim keep it readable at half size and when half faded.
sf::Image paintExplosion()
{
    sf::Image blast = blankImage(80, 80);   // at full size it covers a 64 px squid with room to spare
    paint(blast, burst(0xf17e, 36.0f, 11), sf::Color(212, 46, 30));    // red fringe
    paint(blast, burst(0x0a4e, 29.0f, 9), sf::Color(250, 134, 36));    // orange
    paint(blast, burst(0x7e11, 20.0f, 7), sf::Color(255, 214, 72));    // yellow
    paint(blast, burst(0xc0e, 12.0f, 6), sf::Color(255, 250, 222));    // white-hot core
    paintSparks(blast);
    outline(blast, sf::Color(92, 16, 14), 1, false);
    return blast;
}
