// Grimfathom's entry point: start-up, then one frame after another until the window closes.
#include "grimfathom.h"

#include <cstdlib>
#include <ctime>

int main()
{
    srand(unsigned(time(nullptr)));
    createWindow(window, {800, 600}, sf::String("Grimfathom"), sf::ContextSettings{0, 0, 0, 2, 0});
    window.setFramerateLimit(60);
    loadWindowIcon();
    loadPictures();
    setUpSprites();
    setUpSounds();
    sf::Clock frameClock;
    startLevel();

    while (window.isOpen()) {
        while (std::optional<sf::Event> event = nextEvent(window))
            handleEvent(*event);
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
