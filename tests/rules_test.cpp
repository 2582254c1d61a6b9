// The game rules on the real globals: phases and keys, level start, update, collisions, removal.
#include "support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

class Rules : public ::testing::Test {
protected:
    void SetUp() override
    {
        writePicture(folder.res() / "submarine.png", 64, 32, sf::Color::Yellow);
        openGameWindow();
        resetGame();
    }

    static sf::Event keyPress(sf::Keyboard::Key code) { return makeEvent(EventKind::KeyPressed, code); }

    // A squid far off in the corner keeps the level from being cleared.
    static void addDistantSquid() { squids.push_back(Squid{sf::Vector2f(790, 590), false}); }

    ScratchFolder folder;
};

TEST_F(Rules, AnyKeyLeavesTheIntroAndDoesNothingElse)
{
    gameTime = 5;
    for (sf::Keyboard::Key key : {sf::Keyboard::Key::Space, sf::Keyboard::Key::Escape, sf::Keyboard::Key::Q}) {
        phase = LevelIntro;
        handleEvent(keyPress(key));
        EXPECT_EQ(phase, Playing);
        EXPECT_TRUE(torpedoes.empty());
        EXPECT_EQ(torpedoesFired, 0);
        EXPECT_EQ(nextVoice, 0);
    }
}

TEST_F(Rules, EscapePausesAndAnyKeyResumes)
{
    phase = Playing;
    handleEvent(keyPress(sf::Keyboard::Key::Escape));
    EXPECT_EQ(phase, Paused);
    handleEvent(keyPress(sf::Keyboard::Key::Escape));
    EXPECT_EQ(phase, Playing);
    handleEvent(keyPress(sf::Keyboard::Key::Escape));
    handleEvent(keyPress(sf::Keyboard::Key::LShift));
    EXPECT_EQ(phase, Playing);
    handleEvent(keyPress(sf::Keyboard::Key::Left));
    EXPECT_EQ(phase, Playing);
}

TEST_F(Rules, LosingFocusPausesOnlyWhilePlayingAndRegainingItNeverResumes)
{
    for (GamePhase from : {LevelIntro, Playing, Paused, GameOver}) {
        phase = from;
        handleEvent(makeEvent(EventKind::FocusLost));
        EXPECT_EQ(phase, from == Playing ? Paused : from);
    }
    phase = Paused;
    handleEvent(makeEvent(EventKind::FocusGained));
    EXPECT_EQ(phase, Paused);
}

TEST_F(Rules, UnusedEventsChangeNothing)
{
    phase = Playing;
    gameTime = 5;
    for (EventKind kind : {EventKind::Resized, EventKind::FocusGained, EventKind::KeyReleased,
                           EventKind::TextEntered, EventKind::MouseButtonPressed}) {
        handleEvent(makeEvent(kind, sf::Keyboard::Key::Space));
        EXPECT_EQ(phase, Playing);
        EXPECT_TRUE(torpedoes.empty());
        EXPECT_TRUE(window.isOpen());
    }
}

TEST_F(Rules, ShotLeavesAheadOfTheNoseWithItsSoundCountAndStamp)
{
    phase = Playing;
    gameTime = 0.31f;
    handleEvent(keyPress(sf::Keyboard::Key::Space));

    ASSERT_EQ(torpedoes.size(), 1u);
    EXPECT_EQ(torpedoes[0].position, sf::Vector2f(50 + launchOffset(64), 300));
    EXPECT_FALSE(torpedoes[0].hit);
    EXPECT_EQ(torpedoesFired, 1);
    EXPECT_EQ(lastShotTime, 0.31f);
    EXPECT_EQ(nextVoice, 1);
    EXPECT_EQ(bufferOf(voices[0]), &soundBank["pew"]);
}

TEST_F(Rules, RefusedShotChangesNothingUntilTheCooldownIsStrictlyOver)
{
    phase = Playing;
    gameTime = 0.3f;                            // the first shot waits for 0.3 s of game clock
    handleEvent(keyPress(sf::Keyboard::Key::Space));
    EXPECT_TRUE(torpedoes.empty());
    EXPECT_EQ(torpedoesFired, 0);
    EXPECT_EQ(lastShotTime, 0.0f);
    EXPECT_EQ(nextVoice, 0);

    lastShotTime = 2.0f;
    gameTime = 2.0f + 0.3f;
    handleEvent(keyPress(sf::Keyboard::Key::Space));
    EXPECT_TRUE(torpedoes.empty());
    gameTime = 2.31f;
    handleEvent(keyPress(sf::Keyboard::Key::Space));
    EXPECT_EQ(torpedoes.size(), 1u);
    EXPECT_EQ(torpedoesFired, 1);
}

TEST_F(Rules, ResultsScreenRestartsOnlyStrictlyAfterOneSecond)
{
    phase = GameOver;
    level = 4;
    torpedoesFired = 9;
    monstersKilled = 3;
    gameOverTime = 5.0f;
    gameTime = 5.0f + 1.0f;
    handleEvent(keyPress(sf::Keyboard::Key::Space));
    EXPECT_EQ(phase, GameOver);
    EXPECT_EQ(level, 4);

    gameTime = 6.01f;
    handleEvent(keyPress(sf::Keyboard::Key::A));
    EXPECT_EQ(phase, LevelIntro);
    EXPECT_EQ(level, 1);
    EXPECT_EQ(torpedoesFired, 0);
    EXPECT_EQ(monstersKilled, 0);
    EXPECT_EQ(squids.size(), 1u);
}

TEST_F(Rules, ClosingWorksInEveryPhaseAndLeavesThePhase)
{
    for (GamePhase from : {LevelIntro, Playing, Paused, GameOver}) {
        createWindow(window, {800, 600}, "close");
        phase = from;
        handleEvent(makeEvent(EventKind::Closed));
        EXPECT_FALSE(window.isOpen());
        EXPECT_EQ(phase, from);
    }
}

TEST_F(Rules, LevelStartReleasesOneUnhitSquidPerLevelOnWholePixelsFarFromTheSubmarine)
{
    explosions.push_back(Explosion{sf::Vector2f(1, 2), 0.5f});
    for (int n : {1, 2, 7, 60}) {
        level = n;
        torpedoes.push_back(Torpedo{sf::Vector2f(200, 200), false});
        startLevel();
        ASSERT_EQ(squids.size(), size_t(n));
        EXPECT_TRUE(torpedoes.empty());
        for (const Squid& squid : squids) {
            EXPECT_FALSE(squid.hit);
            EXPECT_GE(distance(squid.position, submarineSprite.getPosition()), 128.0f);
            EXPECT_EQ(squid.position.x, std::floor(squid.position.x));
            EXPECT_EQ(squid.position.y, std::floor(squid.position.y));
            EXPECT_TRUE(squid.position.x >= 0 && squid.position.x <= 799);
            EXPECT_TRUE(squid.position.y >= 0 && squid.position.y <= 599);
        }
    }
    EXPECT_EQ(explosions.size(), 1u);
    EXPECT_EQ(levelSprite.getPosition(), sf::Vector2f(300, 300));
}

TEST_F(Rules, SquidExactly128AwayIsKeptAndOneCloserIsDrawnAgain)
{
    srand(7);
    float x = float(rand() % 800);
    float y = float(rand() % 600);
    sf::Vector2f awayFromIt(x < 400 ? x + 128 : x - 128, y);

    srand(7);
    submarineSprite.setPosition(awayFromIt);
    startLevel();
    EXPECT_EQ(squids[0].position, sf::Vector2f(x, y));

    srand(7);
    submarineSprite.setPosition({awayFromIt.x + (x < 400 ? -0.5f : 0.5f), y});
    startLevel();
    EXPECT_NE(squids[0].position, sf::Vector2f(x, y));
}

TEST_F(Rules, LevelCaptionFollowsTheWindowSize)
{
    window.setSize(sf::Vector2u(1001, 701));
    level = 3;
    startLevel();
    EXPECT_EQ(levelSprite.getPosition(), sf::Vector2f(400, 350));
}

TEST_F(Rules, RestartKeepsClockStampsSubmarineExplosionsAndVoiceRing)
{
    phase = GameOver;
    level = 5;
    gameTime = 30;
    gameOverTime = 20;
    lastShotTime = 19;
    nextVoice = 3;
    submarineSprite.setPosition({640, 90});
    explosions.push_back(Explosion{sf::Vector2f(640, 90), 20});
    restartGame();

    EXPECT_EQ(phase, LevelIntro);
    EXPECT_EQ(level, 1);
    EXPECT_EQ(gameTime, 30);
    EXPECT_EQ(gameOverTime, 20);
    EXPECT_EQ(lastShotTime, 19);
    EXPECT_EQ(nextVoice, 3);
    EXPECT_EQ(submarineSprite.getPosition(), sf::Vector2f(640, 90));
    EXPECT_EQ(explosions.size(), 1u);
    EXPECT_GE(distance(squids[0].position, sf::Vector2f(640, 90)), 128.0f);
}

TEST_F(Rules, ClockRunsInEveryPhaseWhileOnlyPlayMovesTheWorld)
{
    for (GamePhase from : {LevelIntro, Paused, GameOver}) {
        resetGame();
        phase = from;
        addDistantSquid();
        torpedoes.push_back(Torpedo{sf::Vector2f(100, 100), false});
        update(0.25f);
        EXPECT_EQ(gameTime, 0.25f);
        EXPECT_EQ(squids[0].position, sf::Vector2f(790, 590));
        EXPECT_EQ(torpedoes[0].position, sf::Vector2f(100, 100));
        EXPECT_EQ(phase, from);
    }
}

TEST_F(Rules, ClearedLevelRaisesTheLevelByOneAndMovesNothingThatFrame)
{
    phase = Playing;
    level = 2;
    torpedoes.push_back(Torpedo{sf::Vector2f(100, 100), false});
    explosions.push_back(Explosion{sf::Vector2f(9, 9), 0});
    update(0.5f);

    EXPECT_EQ(level, 3);
    EXPECT_EQ(phase, LevelIntro);
    EXPECT_EQ(squids.size(), 3u);
    EXPECT_TRUE(torpedoes.empty());
    EXPECT_EQ(explosions.size(), 1u);
    EXPECT_EQ(submarineSprite.getPosition(), sf::Vector2f(50, 300));
}

TEST_F(Rules, EmptySeaWhilePausedWaitsForPlayToClearTheLevel)
{
    phase = Paused;
    update(0.1f);
    EXPECT_EQ(level, 1);
    phase = Playing;
    update(0.1f);
    EXPECT_EQ(level, 2);
}

TEST_F(Rules, SquidsTakeOneWholeStepTowardsTheSubmarineEvenPastIt)
{
    phase = Playing;
    squids.push_back(Squid{sf::Vector2f(50 - 100, 300), false});
    update(0.5f);
    EXPECT_EQ(squids[0].position, sf::Vector2f(-10, 300));

    squids[0].position = sf::Vector2f(50, 300 - 40);
    update(1.0f);
    EXPECT_EQ(squids[0].position, sf::Vector2f(50, 340));
    EXPECT_EQ(phase, Playing);
}

TEST_F(Rules, SquidOnTheSubmarinesCentreStaysAFiniteNumber)
{
    phase = Paused;
    squids.push_back(Squid{sf::Vector2f(50, 300), false});
    phase = Playing;
    update(0.1f);
    EXPECT_EQ(squids[0].position, sf::Vector2f(50, 300));
    EXPECT_EQ(phase, GameOver);
}

TEST_F(Rules, SubmarineIsKeptInsideTheSeaByHalfItsWidthAndAQuarterOfItsHeight)
{
    phase = Playing;
    squids.push_back(Squid{sf::Vector2f(400, 300), false});
    const sf::Vector2f outside[] = {{-100, -100}, {1000, 1000}, {32, 8}, {768, 592}, {400, 7.5f}};
    const sf::Vector2f inside[] = {{32, 8}, {768, 592}, {32, 8}, {768, 592}, {400, 8}};
    for (unsigned size : {64u, 65u}) {
        writePicture(folder.res() / "submarine.png", size, size / 2, sf::Color::Yellow);
        ASSERT_TRUE(submarineTexture.loadFromFile("../res/submarine.png"));
        for (int i = 0; i < 5; i++) {
            submarineSprite.setPosition(outside[i]);
            update(0);
            EXPECT_EQ(submarineSprite.getPosition(), inside[i]) << size << " wide, case " << i;
        }
    }
}

TEST_F(Rules, TorpedoesRunRightPastTheEdgeWithTheWholeFrame)
{
    phase = Playing;
    addDistantSquid();
    torpedoes.push_back(Torpedo{sf::Vector2f(790, 20), false});
    update(0.75f);
    EXPECT_EQ(torpedoes[0].position, sf::Vector2f(1090, 20));
}

TEST_F(Rules, GameOverCaptionSwaysWithTheClockAboutTheWindowCentre)
{
    phase = GameOver;
    gameTime = 1.2f;
    update(0.05f);
    float sway = float(std::sin(double(1.25f * 6))) * 30;
    EXPECT_FLOAT_EQ(gameOverSprite.getPosition().x, 400 + sway);
    EXPECT_EQ(gameOverSprite.getPosition().y, 300);

    window.setSize(sf::Vector2u(1000, 701));
    update(0.05f);
    sway = float(std::sin(double(1.3f * 6))) * 30;
    EXPECT_FLOAT_EQ(gameOverSprite.getPosition().x, 500 + sway);
    EXPECT_EQ(gameOverSprite.getPosition().y, 350);
}

TEST_F(Rules, SquidCatchesTheSubmarineOnlyBelow32Pixels)
{
    phase = Playing;
    gameTime = 7;
    squids.push_back(Squid{sf::Vector2f(50 + 32, 300), false});
    update(0);
    EXPECT_EQ(phase, Playing);

    squids[0].position = sf::Vector2f(50 + 31.9f, 300);
    update(0);
    EXPECT_EQ(phase, GameOver);
    EXPECT_EQ(gameOverTime, 7);
    ASSERT_EQ(explosions.size(), 1u);
    EXPECT_EQ(explosions[0].position, sf::Vector2f(50, 300));
    EXPECT_EQ(explosions[0].startTime, 7);
    EXPECT_EQ(explosionSprite.getColor(), sf::Color(255, 255, 255, 255));
    EXPECT_EQ(bufferOf(voices[0]), &soundBank["explosion"]);
    EXPECT_EQ(bufferOf(voices[1]), &soundBank["gameover"]);
}

TEST_F(Rules, TorpedoStrikesOnlyBelow52PixelsAndTheExplosionIsOnTheTorpedo)
{
    phase = Playing;
    gameTime = 3;
    squids.push_back(Squid{sf::Vector2f(400, 100), false});
    torpedoes.push_back(Torpedo{sf::Vector2f(400 - 52, 100), false});
    update(0);
    EXPECT_FALSE(torpedoes[0].hit);
    EXPECT_EQ(monstersKilled, 0);

    torpedoes[0].position.x = 400 - 51.9f;
    update(0);
    EXPECT_TRUE(torpedoes[0].hit);
    EXPECT_TRUE(squids[0].hit);
    EXPECT_EQ(monstersKilled, 1);
    ASSERT_EQ(explosions.size(), 1u);
    EXPECT_EQ(explosions[0].position, sf::Vector2f(400 - 51.9f, 100));
    EXPECT_EQ(explosions[0].startTime, 3);
}

TEST_F(Rules, SquidTouchingSubmarineAndTorpedoEndsTheGameWithoutAKill)
{
    phase = Playing;
    squids.push_back(Squid{sf::Vector2f(70, 300), false});
    torpedoes.push_back(Torpedo{sf::Vector2f(104, 300), false});
    update(0);
    EXPECT_EQ(phase, GameOver);
    EXPECT_FALSE(torpedoes[0].hit);
    EXPECT_FALSE(squids[0].hit);
    EXPECT_EQ(monstersKilled, 0);
}

TEST_F(Rules, OneTorpedoBetweenTwoSquidsDestroysBoth)
{
    phase = Playing;
    squids.push_back(Squid{sf::Vector2f(460, 100), false});
    squids.push_back(Squid{sf::Vector2f(540, 100), false});
    torpedoes.push_back(Torpedo{sf::Vector2f(500, 100), false});
    update(0);
    EXPECT_TRUE(squids[0].hit && squids[1].hit && torpedoes[0].hit);
    EXPECT_EQ(monstersKilled, 2);
    ASSERT_EQ(explosions.size(), 2u);
    EXPECT_EQ(explosions[1].position, sf::Vector2f(500, 100));
}

TEST_F(Rules, KillsBeforeTheCatchingSquidCountAndLaterSquidsAreNotTested)
{
    phase = Playing;
    squids.push_back(Squid{sf::Vector2f(500, 100), false});
    squids.push_back(Squid{sf::Vector2f(60, 300), false});
    squids.push_back(Squid{sf::Vector2f(520, 100), false});
    torpedoes.push_back(Torpedo{sf::Vector2f(510, 100), false});
    update(0);
    EXPECT_EQ(phase, GameOver);
    EXPECT_EQ(monstersKilled, 1);
    EXPECT_TRUE(squids[0].hit);
    EXPECT_FALSE(squids[2].hit);
    EXPECT_EQ(explosions.size(), 2u);
}

TEST_F(Rules, RemovalDropsSpentObjectsKeepingOrderAndCapacity)
{
    gameTime = 10.5f;
    squids = {{{1, 1}, true}, {{2, 2}, false}, {{3, 3}, false}};
    torpedoes = {{{800, 1}, false}, {{800.5f, 2}, false}, {{300, 3}, true}, {{400, 4}, false}};
    explosions = {{{1, 1}, 10.0f}, {{2, 2}, 9.99f}, {{3, 3}, 10.2f}};
    size_t capacity = torpedoes.capacity();
    removeSpent();

    ASSERT_EQ(squids.size(), 2u);
    EXPECT_EQ(squids[0].position, sf::Vector2f(2, 2));
    EXPECT_EQ(squids[1].position, sf::Vector2f(3, 3));
    ASSERT_EQ(torpedoes.size(), 2u);
    EXPECT_EQ(torpedoes[0].position.x, 800);
    EXPECT_EQ(torpedoes[1].position.x, 400);
    EXPECT_EQ(torpedoes.capacity(), capacity);
    ASSERT_EQ(explosions.size(), 2u);
    EXPECT_EQ(explosions[0].startTime, 10.0f);
    EXPECT_EQ(explosions[1].startTime, 10.2f);
}
