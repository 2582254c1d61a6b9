// The built game's window resized and closed in every phase: the 800 x 600 scene stretches to
// the window, the centred captions follow its size, and closing always exits with 0.
#include "game_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

// Larger, smaller, very wide, and tall and narrow; all within the 1280 x 1024 test screen.
static const std::vector<sf::Vector2u> sizes = {{1200, 900}, {400, 300}, {1280, 160}, {240, 1000}};

static bool cornersAre(const sf::Image& shot, sf::Color colour)
{
    sf::Vector2u size = shot.getSize();
    return countPixels(shot, colour, 2, 0, 0, 3, 3) == 9 && countPixels(shot, colour, 2, size.x - 3, size.y - 3, size.x, size.y) == 9;
}

// From the submarine's starting place to the middle of the squid's pixels, in an 800 x 600 shot.
static double squidDistance(const sf::Image& shot)
{
    auto squidPixel = [](sf::Vector2f, sf::Color colour) { return colour == squidMark; };
    std::optional<sf::Vector2f> squid = middleOf(shot, squidPixel);
    return squid ? std::hypot(squid->x - 50, squid->y - 300) : 0;
}

class WindowPhases : public ::testing::Test {
protected:
    void SetUp() override
    {
        markPicture(session.res(), "level.png", levelMark);
        markPicture(session.res(), "gameover.png", gameOverMark);
        markPicture(session.res(), "squid.png", squidMark);
        ASSERT_TRUE(session.start());
    }

    // A frame drawn at the new size that passes the check. Until the game draws again the
    // window keeps a cropped or padded copy of the last frame, hence the wait.
    sf::Image resizedTo(sf::Vector2u size, const std::function<bool(const sf::Image&)>& check)
    {
        session.resize(size.x, size.y);
        wait(0.15);
        return session.await([&](const sf::Image& shot) { return shot.getSize() == size && check(shot); });
    }

    void reachResults()
    {
        tapKey("Return");
        ASSERT_TRUE(session.appears([](const sf::Image& shot) { return shows(shot, gameOverMark); }))
            << "the squid never reached the submarine";
    }

    GameSession session;
};

TEST_F(WindowPhases, IntroStretchesToEverySizeAndClosesWithZero)
{
    for (sf::Vector2u size : sizes) {
        sf::Image shot = resizedTo(size, [](const sf::Image& image) { return cornersAre(image, sea); });
        ASSERT_GT(shot.getSize().x, 0u) << size.x << " x " << size.y << ": the sea does not fill the window";
        EXPECT_TRUE(shows(shot, levelMark)) << size.x << " x " << size.y;
        EXPECT_FALSE(pauseBarsShow(shot));
    }
    EXPECT_EQ(session.close(), 0);
}

// Each size is reached while paused and gets a moment of play at that size, so play lasts no
// longer however slowly the window follows. The squid starts at least 250 pixels away, over
// 2.7 s of play from the submarine; a game whose squid is nearer is closed and another
// started, which comes with other squids.
TEST_F(WindowPhases, PlayStretchesToEverySizeAndClosesWithZero)
{
    for (int attempt = 0; attempt < 8 && squidDistance(session.shot()) < 250; attempt++) {
        ASSERT_EQ(session.close(), 0);
        ASSERT_TRUE(session.start());
    }
    ASSERT_GE(squidDistance(session.shot()), 250) << "no game in eight had its squid far enough";
    session.leaveIntroAndPause();
    for (sf::Vector2u size : sizes) {
        ASSERT_GT(resizedTo(size, pauseBarsShow).getSize().x, 0u) << size.x << " x " << size.y << ": no pause";
        tapKey("Return");
        sf::Image shot = session.await([&](const sf::Image& image) {
            return image.getSize() == size && !shows(image, levelMark) && !pauseBarsShow(image);
        });
        ASSERT_GT(shot.getSize().x, 0u) << size.x << " x " << size.y << ": play did not resume";
        EXPECT_TRUE(cornersAre(shot, sea)) << size.x << " x " << size.y;
        EXPECT_FALSE(shows(shot, gameOverMark));
        tapKey("Escape");
    }
    EXPECT_TRUE(session.appears(pauseBarsShow));
    tapKey("Return");
    EXPECT_EQ(session.close(), 0);
}

TEST_F(WindowPhases, PauseBarsStretchWithTheSceneAndClosingWhilePausedExitsWithZero)
{
    session.leaveIntroAndPause();
    for (sf::Vector2u size : sizes) {
        sf::Image shot = resizedTo(size, pauseBarsShow);
        ASSERT_GT(shot.getSize().x, 0u) << size.x << " x " << size.y << ": no bars where the scene puts them";
        EXPECT_TRUE(cornersAre(shot, dimmedSea)) << size.x << " x " << size.y;
    }
    EXPECT_EQ(session.close(), 0);
}

// The caption sways about the window's centre taken as scene coordinates, which the stretch
// then scales again: at height h its top row lands at (h / 2 - its half height) * h / 600.
// The captions drawn after it may hide its lower rows, never its top one.
TEST_F(WindowPhases, GameOverCaptionFollowsTheWindowSizeAndClosingAfterTheDelayExitsWithZero)
{
    sf::Image caption;
    ASSERT_TRUE(caption.loadFromFile((session.res() / "gameover.png").string()));
    reachResults();
    for (sf::Vector2u size : sizes) {
        double expectedTop = (size.y / 2.0 - caption.getSize().y / 2) * size.y / 600.0;
        sf::Image shot = resizedTo(size, [&](const sf::Image& image) {
            return std::abs(firstRowOf(image, gameOverMark) - expectedTop) <= 2;
        });
        EXPECT_GT(shot.getSize().x, 0u) << size.x << " x " << size.y << ": caption's top not at row " << expectedTop;
    }
    wait(1.2);
    EXPECT_EQ(session.close(), 0);
}

TEST_F(WindowPhases, ClosingTheResultsAtOnceExitsWithZero)
{
    reachResults();
    EXPECT_EQ(session.close(), 0);
}

TEST_F(WindowPhases, AKeyAfterTheDelayRestartsAndTheNewIntroClosesWithZero)
{
    reachResults();
    ASSERT_TRUE(session.tapReturnAfter(1.2));
    EXPECT_TRUE(session.appears(showsMarkedIntro)) << "no intro of a new game";
    EXPECT_EQ(session.close(), 0);
}
