// Pixel drawing on sf::Image: shapes as inside-tests, painted anywhere or only over paint.
#pragma once

#include "sfml_compat_tools.h"

#include <functional>
#include <vector>

struct Point {
    float x;
    float y;
};

// Answers whether a pixel centre lies inside a shape.
using Shape = std::function<bool(float x, float y)>;

enum class Layer { Anywhere, OverPaint };

// The colours the sprites, captions, icons and touch controls share, so that they read as one set.
inline const sf::Color ink(14, 22, 38);            // every outline: reads on the sea and on light art
inline const sf::Color paleGold(255, 246, 170);    // the captions' and the controls' lettering
inline const sf::Color shallowSea(44, 140, 164);   // the icon's sea at its lightest
inline const sf::Color deepSea(12, 70, 90);        // the icon's sea at its deepest

sf::Image blankImage(unsigned width, unsigned height);

// A power above 2 squares the ellipse off towards a capsule, as a hull or a tower needs.
Shape ellipse(float cx, float cy, float rx, float ry, float power = 2.0f);
Shape rectangle(float left, float top, float width, float height);
Shape polygon(std::vector<Point> corners);
Shape stroke(std::vector<Point> path, float startRadius, float endRadius);
Shape intersect(Shape a, Shape b);
Shape unite(Shape a, Shape b);

void paint(sf::Image& image, const Shape& shape, sf::Color colour, Layer layer = Layer::Anywhere);
void outline(sf::Image& image, sf::Color colour, unsigned thickness, bool diagonals);
