// The built game as a player starts it: its window, its sea, and a clean exit.
#include "support.h"
#include "xdriver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

// The window maps before the pictures load; the first frame comes a moment later.
static sf::Image firstFrame(unsigned long id)
{
    sf::Image shot = screenshot(id);
    for (int tries = 0; tries < 100 && shot.getPixel(5, 5) == sf::Color::Black; tries++) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        shot = screenshot(id);
    }
    return shot;
}

TEST(GameWindow, OpensAsGrimfathomOverTheSeaAndClosesWithStatusZero)
{
    ScratchFolder folder;
    folder.copyGameResources();
    GameProcess game(folder.run());
    unsigned long id = findWindow("Grimfathom", 10);
    ASSERT_NE(id, 0u);

    EXPECT_EQ(windowCaption(id), "Grimfathom");
    EXPECT_EQ(windowSize(id), sf::Vector2u(800, 600));
    sf::Image shot = firstFrame(id);
    EXPECT_EQ(shot.getPixel(5, 5), sf::Color(20, 102, 126));
    EXPECT_EQ(shot.getPixel(795, 595), sf::Color(20, 102, 126));

    closeWindow(id);
    EXPECT_EQ(game.waitForExit(5), 0);
}

// Without a sound device SFML logs from the last sound's destructor at exit; that must
// not outlive its error stream.
TEST(GameWindow, ExitsWithStatusZeroWhenNoSoundDeviceOpens)
{
    ScratchFolder folder;
    folder.copyGameResources();
    GameProcess game(folder.run(), {"ALSOFT_DRIVERS=alsa"});
    unsigned long id = findWindow("Grimfathom", 10);
    ASSERT_NE(id, 0u);
    closeWindow(id);
    EXPECT_EQ(game.waitForExit(5), 0);
}
