// Shapes as inside-tests on pixel centres, and the painting and outlining passes over them.
#include "paint.h"

#include "steady.h"

#include <cmath>

sf::Image blankImage(unsigned width, unsigned height)
{
    return filledImage({width, height}, sf::Color::Transparent);
}

Shape ellipse(float cx, float cy, float rx, float ry, float power)
{
    return [=](float x, float y) {
        float u = std::fabs((x - cx) / rx);
        float v = std::fabs((y - cy) / ry);
        return steady::pow(u, power) + steady::pow(v, power) <= 1.0f;
    };
}

Shape rectangle(float left, float top, float width, float height)
{
    return [=](float x, float y) {
        return x >= left && x < left + width && y >= top && y < top + height;
    };
}

// Even-odd crossing test, so the corners may wind either way.
Shape polygon(std::vector<Point> corners)
{
    return [corners = std::move(corners)](float x, float y) {
        bool inside = false;
        for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const Point& a = corners[i];
            const Point& b = corners[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
        return inside;
    };
}

// The brush radius runs from startRadius to endRadius along the path, so arms taper.
Shape stroke(std::vector<Point> path, float startRadius, float endRadius)
{
    float total = 0.0f;
    for (std::size_t i = 1; i < path.size(); ++i)
        total += steady::hypot(path[i].x - path[i - 1].x, path[i].y - path[i - 1].y);
    return [=](float x, float y) {
        float walked = 0.0f;
        for (std::size_t i = 1; i < path.size(); ++i) {
            Point a = path[i - 1];
            Point b = path[i];
            float span = steady::hypot(b.x - a.x, b.y - a.y);
            float t = ((x - a.x) * (b.x - a.x) + (y - a.y) * (b.y - a.y)) / (span * span);
            t = std::fmin(1.0f, std::fmax(0.0f, t));
            float along = (walked + t * span) / total;
            float radius = startRadius + (endRadius - startRadius) * along;
            if (steady::hypot(x - a.x - t * (b.x - a.x), y - a.y - t * (b.y - a.y)) <= radius)
                return true;
            walked += span;
        }
        return false;
    };
}

Shape intersect(Shape a, Shape b)
{
    return [a = std::move(a), b = std::move(b)](float x, float y) {
        return a(x, y) && b(x, y);
    };
}

Shape unite(Shape a, Shape b)
{
    return [a = std::move(a), b = std::move(b)](float x, float y) {
        return a(x, y) || b(x, y);
    };
}

void paint(sf::Image& image, const Shape& shape, sf::Color colour, Layer layer)
{
    sf::Vector2u size = image.getSize();
    for (unsigned y = 0; y < size.y; ++y) {
        for (unsigned x = 0; x < size.x; ++x) {
            if (layer == Layer::OverPaint && pixelAt(image, x, y).a == 0)
                continue;
            if (shape(float(x) + 0.5f, float(y) + 0.5f))
                setPixelAt(image, x, y, colour);
        }
    }
}

static bool touchesPaint(const sf::Image& image, unsigned x, unsigned y, bool diagonals)
{
    sf::Vector2u size = image.getSize();
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if ((dx != 0 && dy != 0 && !diagonals) || (dx == 0 && dy == 0))
                continue;
            int nx = int(x) + dx;
            int ny = int(y) + dy;
            if (nx >= 0 && ny >= 0 && nx < int(size.x) && ny < int(size.y) &&
                pixelAt(image, unsigned(nx), unsigned(ny)).a != 0)
                return true;
        }
    }
    return false;
}

// Each pass rings the paint of the pass before, so a thick outline stays even all round.
void outline(sf::Image& image, sf::Color colour, unsigned thickness, bool diagonals)
{
    sf::Vector2u size = image.getSize();
    for (unsigned pass = 0; pass < thickness; ++pass) {
        sf::Image before = image;
        for (unsigned y = 0; y < size.y; ++y) {
            for (unsigned x = 0; x < size.x; ++x) {
                if (pixelAt(before, x, y).a == 0 && touchesPaint(before, x, y, diagonals))
                    setPixelAt(image, x, y, colour);
            }
        }
    }
}
