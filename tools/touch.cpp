// Paints the touch controls from shapes alone: each has the sprites' dark outline, so it reads over the sea.
#include "touch.h"

#include "paint.h"

namespace {

const sf::Color steel(120, 130, 146);         // the periscope's
const sf::Color lit(168, 178, 190);           // the propeller's

// A plus sign of arms width wide across a square of size, inset from its edges.
Shape cross(float size, float width, float inset)
{
    float middle = (size - width) / 2.0f;
    return unite(rectangle(middle + inset, inset, width - 2 * inset, size - 2 * inset),
                  rectangle(inset, middle + inset, size - 2 * inset, width - 2 * inset));
}

// The shape and a pixel's width around it, for a rim of ink under one part of a picture.
Shape grown(Shape shape)
{
    return [shape = std::move(shape)](float x, float y) {
        for (float dy : {-1.0f, 0.0f, 1.0f})
            for (float dx : {-1.0f, 0.0f, 1.0f})
                if (shape(x + dx, y + dy))
                    return true;
        return false;
    };
}

// Gold on an ink rim, as the captions are lettered.
void paintRimmed(sf::Image& image, const Shape& shape, sf::Color colour)
{
    paint(image, grown(shape), ink);
    paint(image, shape, colour);
}

// One arrow per arm, its point towards the arm's end.
void paintArrows(sf::Image& pad)
{
    paintRimmed(pad, polygon({{24, 5}, {18, 12}, {30, 12}}), paleGold);    // up
    paintRimmed(pad, polygon({{24, 43}, {18, 36}, {30, 36}}), paleGold);   // down
    paintRimmed(pad, polygon({{5, 24}, {12, 18}, {12, 30}}), paleGold);    // left
    paintRimmed(pad, polygon({{43, 24}, {36, 18}, {36, 30}}), paleGold);   // right
}

// Arms 16 pixels wide, 48 on screen: a thumb's width. A finger between two arms holds both.
sf::Image paintPad()
{
    sf::Image pad = blankImage(48, 48);
    paint(pad, cross(48.0f, 16.0f, 1.0f), lit);
    paint(pad, cross(48.0f, 16.0f, 2.0f), steel);
    paint(pad, ellipse(24.0f, 24.0f, 4.5f, 4.5f), sf::Color(90, 98, 112));   // the hub
    paintArrows(pad);
    outline(pad, ink, 1, false);
    return pad;
}

// A red button, with a torpedo on it heading right, as the game fires them.
sf::Image paintFire()
{
    sf::Image fire = blankImage(32, 32);
    Shape button = ellipse(16.0f, 16.0f, 15.0f, 15.0f);
    paint(fire, button, sf::Color(216, 52, 44));
    paint(fire, intersect(button, rectangle(0.0f, 18.0f, 32.0f, 14.0f)), sf::Color(172, 36, 32));  // shaded below
    paint(fire, ellipse(10.0f, 7.0f, 4.0f, 1.5f), sf::Color(240, 120, 96));   // light on top
    Shape fins = polygon({{11, 16}, {6, 10}, {4, 10}, {6, 16}, {4, 22}, {6, 22}});
    Shape body = ellipse(16.0f, 16.0f, 10.0f, 3.6f, 3.0f);
    paint(fire, grown(unite(fins, body)), ink);
    paint(fire, fins, sf::Color(168, 178, 190));
    paint(fire, body, sf::Color(236, 242, 248));
    paint(fire, rectangle(21.0f, 12.0f, 1.0f, 8.0f), sf::Color(70, 78, 94), Layer::OverPaint);  // warhead seam
    outline(fire, ink, 1, false);
    return fire;
}

// The small buttons' face: a rounded square of deep sea with a lit rim.
sf::Image paintSmallButton()
{
    sf::Image button = blankImage(20, 20);
    paint(button, ellipse(10.0f, 10.0f, 9.5f, 9.5f, 4.0f), shallowSea);
    paint(button, ellipse(10.0f, 10.0f, 8.5f, 8.5f, 4.0f), deepSea);
    return button;
}

// The pause's two white bars, as the game draws them over the dimmed sea.
sf::Image paintPause()
{
    sf::Image pause = paintSmallButton();
    paint(pause, rectangle(6.0f, 5.0f, 3.0f, 10.0f), sf::Color::White);
    paint(pause, rectangle(11.0f, 5.0f, 3.0f, 10.0f), sf::Color::White);
    outline(pause, ink, 1, false);
    return pause;
}

// Four corners pointing out, towards the edges of the screen the game will fill.
sf::Image paintFullScreen()
{
    sf::Image full = paintSmallButton();
    for (float right : {0.0f, 1.0f}) {
        for (float down : {0.0f, 1.0f}) {
            float x = 4.0f + right * 7.0f;
            float y = 4.0f + down * 7.0f;
            paint(full, rectangle(x, y + down * 3.0f, 5.0f, 2.0f), paleGold);
            paint(full, rectangle(x + right * 3.0f, y, 2.0f, 5.0f), paleGold);
        }
    }
    outline(full, ink, 1, false);
    return full;
}

} // namespace

Pictures paintTouchControls()
{
    Pictures controls;
    controls["touch-pad.png"] = paintPad();
    controls["touch-fire.png"] = paintFire();
    controls["touch-pause.png"] = paintPause();
    controls["touch-fullscreen.png"] = paintFullScreen();
    return controls;
}
