// A long session of scripted play on the built game: random keys held and tapped, aimed shots,
// pauses and focus changes, through levels, game overs and restarts, with the game's resident
// memory sampled as it goes. Kept out of ctest: `make soak` runs it.
#include "game_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

enum class Screen { Intro, Playing, Paused, Results };

struct Tally {
    int intros = 0, gameOvers = 0, restarts = 0, shots = 0, pauses = 0, focusChanges = 0;
    int mostSquids = 0;         // the most seen in one intro: the highest level reached
};

struct Sample {
    double seconds;
    long kilobytes;
};

const std::vector<std::string> steeringKeys = {"Up", "Down", "Left", "Right", "w", "a", "s", "d"};
const std::vector<std::string> anyKeys = {"Return", "space", "Escape", "x", "Up", "d"};

Screen screenOf(const sf::Image& shot)
{
    if (countColour(shot, gameOverMark) > 0)
        return Screen::Results;
    if (pauseBarsShow(shot))
        return Screen::Paused;
    if (countColour(shot, levelMark) > 0)
        return Screen::Intro;
    return Screen::Playing;
}

class Player {
public:
    Player(const GameSession& game, unsigned seed) : session(game), random(seed) {}

    // One look at the screen and one move in answer to it.
    void step(Screen screen, const sf::Image& shot, Screen previous)
    {
        if (screen == Screen::Results) {
            tally.gameOvers += previous != Screen::Results;
            tapAfter(between(0.3, 2.0));        // before a second has passed it does nothing
        } else if (screen == Screen::Intro) {
            tally.intros += previous != Screen::Intro;
            tally.restarts += previous == Screen::Results;
            tally.mostSquids = std::max(tally.mostSquids, (countColour(shot, squidMark) + 4095) / 4096);
            tapAfter(between(0.1, 0.8));
        } else if (screen == Screen::Paused) {
            tapAfter(between(0.1, 0.8));
        } else {
            play(shot);
        }
    }

    Tally tally;

private:
    double between(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); }
    const std::string& pick(const std::vector<std::string>& keys)
    {
        return keys[std::uniform_int_distribution<std::size_t>(0, keys.size() - 1)(random)];
    }

    void tapAfter(double seconds)
    {
        wait(seconds);
        tapKey(pick(anyKeys));
    }

    void play(const sf::Image& shot)
    {
        double roll = between(0, 1);
        if (roll < 0.45)
            aimAndFire(shot);
        else if (roll < 0.70)
            holdFor({pick(steeringKeys)}, between(0.05, 0.6));
        else if (roll < 0.82)
            holdFor({pick(steeringKeys), pick(steeringKeys), "space"}, between(0.1, 0.5));
        else if (roll < 0.90)
            fire();
        else if (roll < 0.95)
            pauseAndWait();
        else
            loseAndRegainFocus();
    }

    // Lines the submarine up with the squids' middle row, 120 pixels a second, and fires.
    void aimAndFire(const sf::Image& shot)
    {
        double squidRow = firstRowOf(shot, squidMark) + 32, submarineRow = firstRowOf(shot, submarineMark) + 20;
        if (squidRow < 32 || submarineRow < 20)
            return fire();
        bool down = squidRow > submarineRow;
        bool letters = between(0, 1) < 0.5;
        holdFor({down ? (letters ? "s" : "Down") : (letters ? "w" : "Up")},
                std::min(0.6, std::abs(squidRow - submarineRow) / 120));
        fire();
    }

    void holdFor(const std::vector<std::string>& keys, double seconds)
    {
        for (const std::string& key : keys)
            keyDown(key);
        wait(seconds);
        for (const std::string& key : keys)
            keyUp(key);
        tally.shots += std::count(keys.begin(), keys.end(), "space") > 0;
    }

    void fire()
    {
        tapKey("space");
        tally.shots += 1;
    }

    void pauseAndWait()
    {
        tapKey("Escape");
        tally.pauses += 1;
        wait(between(0.1, 0.6));
    }

    // The game pauses itself on losing focus; the next look finds it paused.
    void loseAndRegainFocus()
    {
        focusWindow(0);
        wait(between(0.1, 0.8));
        focusWindow(session.window);
        tally.focusChanges += 1;
    }

    const GameSession& session;
    std::mt19937 random;
};

double meanOf(std::vector<Sample>::const_iterator from, std::vector<Sample>::const_iterator to)
{
    double sum = 0;
    for (auto sample = from; sample != to; ++sample)
        sum += double(sample->kilobytes);
    return sum / double(to - from);
}

double soakSeconds()
{
    const char* setting = std::getenv("GRIMFATHOM_SOAK_SECONDS");
    return setting ? std::atof(setting) : 150;
}

} // namespace

// The game seeds its squids from the clock, so the script reads the screen and answers it.
// Memory is judged after a 30 s warm-up: the mean of the last third of the samples may be at
// most 2 MB above the mean of the first third.
TEST(Soak, LongRandomPlayKeepsMemoryFlatAndExitsCleanly)
{
    GameSession session;
    for (auto [name, colour] : {std::pair{"level.png", levelMark}, {"gameover.png", gameOverMark},
                                {"squid.png", squidMark}, {"submarine.png", submarineMark}})
        markPicture(session.res(), name, colour);
    ASSERT_TRUE(session.start());
    unsigned seed = std::random_device{}();
    std::printf("script seed %u\n", seed);
    Player player(session, seed);

    std::vector<Sample> samples;
    Clock::time_point start = Clock::now();
    Screen previous = Screen::Intro;
    while (secondsSince(start) < soakSeconds()) {
        if (samples.empty() || secondsSince(start) >= samples.back().seconds + 5) {
            samples.push_back(Sample{secondsSince(start), session.memoryKilobytes("VmRSS")});
            std::printf("%6.1f s  VmRSS %7ld kB\n", samples.back().seconds, samples.back().kilobytes);
            std::fflush(stdout);
            ASSERT_GT(samples.back().kilobytes, 0) << "the game is gone";
        }
        sf::Image shot = session.shot();
        Screen screen = screenOf(shot);
        player.step(screen, shot, previous);
        previous = screen;
    }
    EXPECT_EQ(session.close(), 0);

    const Tally& tally = player.tally;
    std::printf("intros %d, game overs %d, restarts %d, most squids in an intro %d, shots %d, pauses %d, "
                "focus changes %d\n", tally.intros, tally.gameOvers, tally.restarts, tally.mostSquids, tally.shots,
                tally.pauses, tally.focusChanges);
    EXPECT_GE(tally.gameOvers, 2);
    EXPECT_GE(tally.restarts, 2);
    EXPECT_GE(tally.mostSquids, 2) << "never past level 1";

    auto warm = std::find_if(samples.begin(), samples.end(), [](const Sample& s) { return s.seconds >= 30; });
    ASSERT_GE(samples.end() - warm, 6) << "too short a session to judge memory";
    std::size_t third = std::size_t(samples.end() - warm) / 3;
    double early = meanOf(warm, warm + third), late = meanOf(samples.end() - third, samples.end());
    std::printf("VmRSS after warm-up: first third %.0f kB, last third %.0f kB\n", early, late);
    EXPECT_LT(late - early, 2 * 1024) << "resident memory grew by kB";
}
