// Picture loading and sprite set-up: origins on whole pixels, fixed places, missing pictures.
#include "support.h"

#include <gtest/gtest.h>

TEST(PictureSetUp, OriginsAreWholePixelsByEachRule)
{
    ScratchFolder folder;
    writePicture(folder.res() / "squid.png", 33, 17, sf::Color::Red);
    writePicture(folder.res() / "numbers.png", 250, 31, sf::Color::White);
    writePicture(folder.res() / "torpedosfired.png", 101, 21, sf::Color::Green);
    writePicture(folder.res() / "monsterskilled.png", 64, 9, sf::Color::Blue);
    writePicture(folder.res() / "submarine.png", 65, 33, sf::Color::Yellow);

    loadPictures();
    setUpSprites();

    EXPECT_EQ(squidSprite.getOrigin(), sf::Vector2f(16, 8));
    EXPECT_EQ(submarineSprite.getOrigin(), sf::Vector2f(32, 16));
    EXPECT_EQ(digitSprite.getOrigin(), sf::Vector2f(12, 15));
    EXPECT_EQ(torpedoesFiredSprite.getOrigin(), sf::Vector2f(101, 10));
    EXPECT_EQ(monstersKilledSprite.getOrigin(), sf::Vector2f(64, 4));
}

TEST(PictureSetUp, FixedPlacesAndPauseBarsAreSet)
{
    ScratchFolder folder;
    loadPictures();
    setUpSprites();

    EXPECT_EQ(submarineSprite.getPosition(), sf::Vector2f(50, 300));
    EXPECT_EQ(scoreSprite.getPosition(), sf::Vector2f(250, 60));
    EXPECT_EQ(torpedoesFiredSprite.getPosition(), sf::Vector2f(380, 520));
    EXPECT_EQ(monstersKilledSprite.getPosition(), sf::Vector2f(380, 440));
    for (const sf::RectangleShape* bar : {&pauseBarLeft, &pauseBarRight}) {
        EXPECT_EQ(bar->getOrigin(), sf::Vector2f(10, 50));
        EXPECT_EQ(bar->getFillColor(), sf::Color(255, 255, 255, 200));
    }
    EXPECT_EQ(pauseBarLeft.getPosition(), sf::Vector2f(380, 300));
    EXPECT_EQ(pauseBarRight.getPosition(), sf::Vector2f(420, 300));
}

TEST(PictureSetUp, MissingPictureLeavesEmptyTextureAndTheRestLoads)
{
    ScratchFolder folder;
    writePicture(folder.res() / "score.png", 40, 20, sf::Color::Red);
    writePicture(folder.res() / "minus.png", 12, 6, sf::Color::White);

    loadPictures();
    setUpSprites();

    EXPECT_EQ(torpedoesFiredTexture.getSize(), sf::Vector2u(0, 0));
    EXPECT_EQ(torpedoesFiredSprite.getOrigin(), sf::Vector2f(0, 0));
    EXPECT_EQ(squidTexture.getSize(), sf::Vector2u(0, 0));
    EXPECT_EQ(squidSprite.getOrigin(), sf::Vector2f(0, 0));
    EXPECT_EQ(scoreTexture.getSize(), sf::Vector2u(40, 20));
    EXPECT_EQ(scoreSprite.getOrigin(), sf::Vector2f(20, 10));
    EXPECT_EQ(minusSprite.getOrigin(), sf::Vector2f(6, 3));
}

TEST(PictureSetUp, ScoreCaptionShowsWhileAMissingCaptionIsSimplyAbsent)
{
    ScratchFolder folder;
    writePicture(folder.res() / "score.png", 40, 20, sf::Color::Red);
    openGameWindow();
    resetGame();
    phase = GameOver;
    window.clear(sea);
    drawScene();
    sf::Image frame = readBack(window);

    EXPECT_EQ(countPixels(frame, sf::Color::Red, 0, 230, 50, 270, 70), 40 * 20);
    EXPECT_EQ(countPixels(frame, sf::Color::Red, 0, 0, 0, 800, 600), 40 * 20);
    EXPECT_EQ(countPixels(frame, sea, 0, 0, 0, 800, 600), 800 * 600 - 40 * 20);
}
