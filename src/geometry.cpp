// The two measures the rules and the drawing share: distance and half a size.
#include "grimfathom.h"

#include <cmath>

float distance(sf::Vector2f a, sf::Vector2f b)
{
    float dx = a.x - b.x;
    float dy = a.y - b.y;
    return float(std::sqrt(double(dx * dx + dy * dy)));
}

// Origins and centres stay on whole pixels: the halving truncates before the conversion.
sf::Vector2f halfSize(sf::Vector2u size)
{
    return sf::Vector2f(float(size.x / 2), float(size.y / 2));
}
