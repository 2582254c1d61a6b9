// Steering through the live keyboard state, pressed with XTest on this test's own X server.
#include "support.h"
#include "xdriver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class Steering : public ::testing::Test {
protected:
    void SetUp() override
    {
        writePicture(folder.res() / "submarine.png", 64, 32, sf::Color::Yellow);
        openGameWindow();
        resetGame();
        phase = Playing;
        squids.push_back(Squid{sf::Vector2f(700, 100), false});  // keeps the level going
        submarineSprite.setPosition({400, 300});
    }

    void TearDown() override { release(); }

    void hold(const std::vector<std::string>& keys)
    {
        release();
        held = keys;
        for (const std::string& key : held)
            keyDown(key);
    }

    void release()
    {
        for (const std::string& key : held)
            keyUp(key);
        held.clear();
    }

    // Where one frame of dt seconds takes the submarine from the middle of the sea.
    sf::Vector2f stepFromMiddle(float dt)
    {
        submarineSprite.setPosition({400, 300});
        update(dt);
        return submarineSprite.getPosition() - sf::Vector2f(400, 300);
    }

    ScratchFolder folder;
    std::vector<std::string> held;
};

TEST_F(Steering, EachKeyOfAPairMovesAtItsAxisSpeed)
{
    const std::vector<std::pair<std::string, sf::Vector2f>> cases = {
        {"Down", {0, 60}}, {"s", {0, 60}}, {"Up", {0, -60}}, {"w", {0, -60}},
        {"Right", {100, 0}}, {"d", {100, 0}}, {"Left", {-100, 0}}, {"a", {-100, 0}}};
    for (const auto& [key, step] : cases) {
        hold({key});
        EXPECT_EQ(stepFromMiddle(0.5f), step) << key;
    }
}

TEST_F(Steering, OppositeKeysCancelAndBothKeysOfAPairAreNotDoubled)
{
    hold({"Up", "Down"});
    EXPECT_EQ(stepFromMiddle(0.5f), sf::Vector2f(0, 0));
    hold({"w", "s"});
    EXPECT_EQ(stepFromMiddle(0.5f), sf::Vector2f(0, 0));
    hold({"Up", "s"});
    EXPECT_EQ(stepFromMiddle(0.5f), sf::Vector2f(0, 0));
    hold({"Left", "Right"});
    EXPECT_EQ(stepFromMiddle(0.5f), sf::Vector2f(0, 0));
    hold({"Down", "s"});
    EXPECT_EQ(stepFromMiddle(0.5f), sf::Vector2f(0, 60));
}

TEST_F(Steering, DiagonalTravelAddsBothAxesUnnormalised)
{
    hold({"Right", "Down"});
    EXPECT_EQ(stepFromMiddle(0.25f), sf::Vector2f(50, 30));
}

TEST_F(Steering, PushingIntoACornerKeepsTheSubmarineExactlyThere)
{
    hold({"Up", "Left"});
    submarineSprite.setPosition({32, 8});
    update(0.5f);
    EXPECT_EQ(submarineSprite.getPosition(), sf::Vector2f(32, 8));
    hold({"Down", "Right"});
    update(10);
    EXPECT_EQ(submarineSprite.getPosition(), sf::Vector2f(768, 592));
}

TEST_F(Steering, HeldKeysMoveNothingInTheIntroOrWhilePaused)
{
    hold({"Right", "Down"});
    for (GamePhase still : {LevelIntro, Paused}) {
        phase = still;
        EXPECT_EQ(stepFromMiddle(0.5f), sf::Vector2f(0, 0));
        EXPECT_EQ(squids[0].position, sf::Vector2f(700, 100));
    }
}
