// Grimfathom's entry point: start-up, then one frame after another until the window closes.
#include "grimfathom.h"

#include <cstdlib>
#include <ctime>

int main()
{
    srand(unsigned(time(nullptr)));
    window.create(sf::VideoMode(800, 600, 32), sf::String("Grimfathom"), sf::Style::Default,
                  sf::ContextSettings(0, 0, 0, 2, 0));
    window.setFramerateLimit(60);
    loadPictures();
    setUpSprites();
    setUpSounds();
    sf::Clock frameClock;
    startLevel();

    sf::Event event;
    while (window.isOpen()) {
        while (window.pollEvent(event))
            handleEvent(event);
        float dt = frameClock.restart().asSeconds();
        update(dt);
        if (phase != GameOver)
            removeSpent();
        window.clear(sf::Color(20, 102, 126, 255));
        drawScene();
        window.display();
    }
    return 0;
}
