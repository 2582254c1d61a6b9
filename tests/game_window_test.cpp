// The built game as a player starts it: its window, its sea, and a clean exit.
#include "game_session.h"

#include <gtest/gtest.h>

TEST(GameWindow, OpensAsGrimfathomOverTheSeaAndClosesWithStatusZero)
{
    GameSession session;
    ASSERT_TRUE(session.start());

    EXPECT_EQ(windowCaption(session.window), "Grimfathom");
    sf::Image icon;
    ASSERT_TRUE(icon.loadFromFile(GAME_RES "/icon.png"));
    EXPECT_TRUE(sameImage(windowIcon(session.window), icon)) << "the window's icon is not res/icon.png";
    EXPECT_EQ(windowSize(session.window), sf::Vector2u(800, 600));
    sf::Image shot = session.shot();
    EXPECT_EQ(pixelAt(shot, 5, 5), sea);
    EXPECT_EQ(pixelAt(shot, 795, 595), sea);
    EXPECT_EQ(session.close(), 0);
}
