// The built game played through the live keyboard: torpedo and pew, pause, results, clean close.
#include "game_session.h"
#include "listening.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <iostream>
#include <optional>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const sf::Color barOverDimmedSea(202, 211, 214);   // white at alpha 200 over the dimmed sea

// Saved only when GRIMFATHOM_SCREENSHOTS names a folder, so ordinary runs write nothing.
void keepScreenshot(const sf::Image& shot, const std::string& name)
{
    const char* folder = std::getenv("GRIMFATHOM_SCREENSHOTS");
    if (folder && *folder)
        (void)shot.saveToFile((fs::path(folder) / name).string());
}

//
// Finding the game's pictures in screenshots
//

sf::Image loadPicture(const std::string& name)
{
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile((fs::path(GAME_RES) / name).string())) << name;
    return image;
}

struct Pictures {
    sf::Image submarine = loadPicture("submarine.png");
    sf::Image torpedo = loadPicture("torpedo.png");
    sf::Image level = loadPicture("level.png");
    sf::Image numbers = loadPicture("numbers.png");
    sf::Image gameOver = loadPicture("gameover.png");
    sf::Image score = loadPicture("score.png");
    sf::Image monstersKilled = loadPicture("monsterskilled.png");
    sf::Image torpedoesFired = loadPicture("torpedosfired.png");
};

struct Overlap {
    int opaque = 0;     // the picture's pixels that hide whatever lies beneath them
    int shown = 0;      // of those, the ones the screenshot shows in the picture's colour
    bool complete() const { return opaque > 0 && shown >= opaque * 9 / 10; }
};

// Only the opaque pixels are compared, so whatever swims beneath a picture does not matter.
Overlap overlap(const sf::Image& shot, const sf::Image& picture, sf::IntRect cell, int left, int top)
{
    Overlap result;
    sf::Vector2u size = shot.getSize();
    sf::Vector2i from = topLeft(cell), extent = sizeOf(cell);
    for (int y = 0; y < extent.y; y++)
        for (int x = 0; x < extent.x; x++) {
            sf::Color texel = pixelAt(picture, unsigned(from.x + x), unsigned(from.y + y));
            if (texel.a < 240)
                continue;
            result.opaque += 1;
            int sx = left + x, sy = top + y;
            if (sx >= 0 && sy >= 0 && unsigned(sx) < size.x && unsigned(sy) < size.y &&
                near(pixelAt(shot, unsigned(sx), unsigned(sy)), texel, 24))
                result.shown += 1;
        }
    return result;
}

sf::IntRect whole(const sf::Image& picture)
{
    return sf::IntRect({0, 0}, {int(picture.getSize().x), int(picture.getSize().y)});
}

// Sprites are centred on their picture's halved size in whole pixels.
bool showsCentred(const sf::Image& shot, const sf::Image& picture, int x, int y)
{
    sf::Vector2u half = picture.getSize() / 2u;
    return overlap(shot, picture, whole(picture), x - int(half.x), y - int(half.y)).complete();
}

bool showsRightMiddle(const sf::Image& shot, const sf::Image& picture, int x, int y)
{
    sf::Vector2u size = picture.getSize();
    return overlap(shot, picture, whole(picture), x - int(size.x), y - int(size.y / 2)).complete();
}

// Of the digits whose every opaque pixel shows centred at (x, y), the one with the most such
// pixels, since a 3 also shows wherever an 8 does; -1 if none shows.
int readDigit(const sf::Image& shot, const sf::Image& numbers, int x, int y)
{
    sf::Vector2u strip = numbers.getSize();
    int best = -1, bestOpaque = 0;
    for (int digit = 0; digit < 10; digit++) {
        Overlap seen = overlap(shot, numbers, digitCell(strip, digit), x - int(strip.x / 20), y - int(strip.y / 2));
        if (seen.complete() && seen.opaque > bestOpaque) {
            best = digit;
            bestOpaque = seen.opaque;
        }
    }
    return best;
}

// The centre x of the picture where it shows whole with its centre on row y, searched between
// fromX and toX; -1 if it shows nowhere there.
int findAlongRow(const sf::Image& shot, const sf::Image& picture, int y, int fromX, int toX)
{
    sf::Vector2u half = picture.getSize() / 2u;
    int bestX = -1, bestShown = 0;
    for (int x = fromX; x <= toX; x++) {
        Overlap seen = overlap(shot, picture, whole(picture), x - int(half.x), y - int(half.y));
        if (seen.complete() && seen.shown > bestShown) {
            bestX = x;
            bestShown = seen.shown;
        }
    }
    return bestX;
}

double fractionOf(const sf::Image& shot, sf::Color colour)
{
    return double(countColour(shot, colour, 2)) / double(shot.getSize().x * shot.getSize().y);
}

//
// Where things are, from the pictures' sizes
//

// The submarine starts at (50, 300) but is kept half its width from the edge once play starts.
float submarineX(const Pictures& pictures)
{
    return std::max(50.0f, float(pictures.submarine.getSize().x / 2));
}

float launchX(const Pictures& pictures)
{
    return submarineX(pictures) + launchOffset(pictures.submarine.getSize().x);
}

bool showsLevelIntro(const sf::Image& shot, const Pictures& pictures, int level)
{
    return showsCentred(shot, pictures.level, 300, 300) && readDigit(shot, pictures.numbers, 500, 300) == level;
}

// The caption sways up to 30 pixels either side of the centre.
bool showsGameOver(const sf::Image& shot, const Pictures& pictures)
{
    return findAlongRow(shot, pictures.gameOver, 300, 369, 431) >= 0;
}

// With no torpedo or explosion about, whatever is not sea beside the submarine is the squid.
sf::Vector2f squidCentre(const sf::Image& shot, const Pictures& pictures)
{
    sf::Vector2u sub = pictures.submarine.getSize();
    sf::FloatRect hull({submarineX(pictures) - float(sub.x / 2), 300 - float(sub.y / 2)}, {float(sub.x), float(sub.y)});
    auto squidPixel = [&](sf::Vector2f centre, sf::Color colour) {
        return !near(colour, sea, 2) && !hull.contains(centre);
    };
    return middleOf(shot, squidPixel).value_or(sf::Vector2f(-1000, -1000));
}

// A torpedo strikes within 52 pixels; 30 more allow for the squid drifting towards the line
// while the torpedo flies. A squid 250 pixels away needs 2.7 s of play to reach the
// submarine, more than the flight and the pause that follow take.
bool clearOfTheShot(const sf::Image& shot, const Pictures& pictures)
{
    sf::Vector2f squid = squidCentre(shot, pictures);
    return std::abs(squid.y - 300) >= 82 && std::hypot(squid.x - submarineX(pictures), squid.y - 300) >= 250;
}

//
// A game whose squid leaves the torpedo's flight alone
//

struct Opening {
    bool started = false;       // whether its window and first frame came
    sf::Image intro;
    sf::Image firstPlay;        // the first screenshot without the intro; empty if it stayed
};

// Starts games until one whose squid is clear of the shot, which is left playing; a game that
// fails to open or to leave its intro is returned as it is, for the test to judge. Nothing if
// no game in eight was clear; about half are.
std::optional<Opening> openClearGame(GameSession& session, const Pictures& pictures, double jingleSeconds)
{
    for (int attempt = 0; attempt < 8; attempt++) {
        if (attempt > 0)
            session.close();
        Opening opening;
        opening.started = session.start();
        if (!opening.started)
            return opening;
        opening.intro = session.await([&](const sf::Image& shot) { return showsLevelIntro(shot, pictures, 1); });
        // Play starts once the jingle is over, and past the 0.3 s that guards the first shot.
        wait(std::max(jingleSeconds, 0.3) + 0.1 - secondsSince(session.firstFrameSeen));
        tapKey("Return");
        opening.firstPlay = session.await([&](const sf::Image& shot) { return !showsCentred(shot, pictures.level, 300, 300); });
        if (opening.firstPlay.getSize().x == 0 || clearOfTheShot(opening.firstPlay, pictures))
            return opening;
    }
    return std::nullopt;
}

//
// Following the torpedo
//

struct Sighting {
    double seconds;     // after Space, halfway through taking the screenshot
    int x;
    sf::Image shot;
};

// Screenshots of the torpedo on its line from its first sighting, until it has flown for the
// given time or is gone; none if it never showed.
std::vector<Sighting> followTorpedo(const GameSession& session, const Pictures& pictures,
                                    Clock::time_point fired, double flightSeconds)
{
    int launch = int(launchX(pictures));
    std::vector<Sighting> seen;
    auto deadline = Clock::now() + std::chrono::duration<double>(patience);
    while (Clock::now() < deadline) {
        double before = secondsSince(fired);
        sf::Image shot = session.shot();
        double seconds = (before + secondsSince(fired)) / 2;
        int x = findAlongRow(shot, pictures.torpedo, 300, launch - 2, 800);
        if (x < 0 && !seen.empty())
            break;
        if (x >= 0)
            seen.push_back(Sighting{seconds, x, shot});
        if (!seen.empty() && seconds - seen.front().seconds >= flightSeconds)
            break;
        wait(0.02);     // leaves the game the processor to draw with
    }
    return seen;
}

// The least-squares slope of place against time: frames that come late scatter the points
// about the line, which stays.
double speedOf(const std::vector<Sighting>& seen)
{
    double n = double(seen.size()), t = 0, x = 0, tt = 0, tx = 0;
    for (const Sighting& sighting : seen) {
        t += sighting.seconds;
        x += sighting.x;
        tt += sighting.seconds * sighting.seconds;
        tx += sighting.seconds * sighting.x;
    }
    return (n * tx - t * x) / (n * tt - t * t);
}

//
// Finding a sound in the recording
//

struct Heard {
    Match pew;          // the best match of pew.wav
    Match secondPew;    // the best match of pew.wav away from that one
    Match jingle;       // the best match of beepboop.wav
};

// Where the game's own "pew" and jingle sound in its recording; no match if it is unreadable.
Heard listen(const fs::path& recordingPath, const SoundLoad& pew, const SoundLoad& jingle)
{
    Heard heard;
    SoundLoad recording = loadSoundFile(recordingPath);
    if (recording.rate == 0)
        return heard;
    std::vector<double> pewPlayed = resample(pew.samples, pew.rate, recording.rate);
    std::vector<double> pewScores = likeness(recording.samples, pewPlayed);
    heard.pew = strongest(pewScores, recording.rate);
    heard.pew.decibels = levelAt(heard.pew, recording.samples, pewPlayed);
    std::size_t pewLags = pew.samples.size() * recording.rate / pew.rate;
    std::size_t pewAt = std::size_t(heard.pew.seconds * recording.rate);
    heard.secondPew = strongest(pewScores, recording.rate, pewAt > pewLags ? pewAt - pewLags : 0, pewAt + pewLags);
    heard.jingle = hear(recording.samples, resample(jingle.samples, jingle.rate, recording.rate), recording.rate);
    return heard;
}

} // namespace

TEST(Play, TorpedoFliesWithItsPewThenPauseDimsResumeClearsAndCloseExitsCleanly)
{
    Pictures pictures;
    SoundLoad jingle = loadSoundFile(fs::path(GAME_RES) / "beepboop.wav");
    SoundLoad pew = loadSoundFile(fs::path(GAME_RES) / "pew.wav");
    ASSERT_GT(jingle.rate, 0u);
    ASSERT_GT(pew.rate, 0u);

    GameSession session;
    std::optional<Opening> opening = openClearGame(session, pictures, double(jingle.samples.size()) / jingle.rate);
    ASSERT_TRUE(opening) << "no game in eight had its squid clear of the shot";
    ASSERT_TRUE(opening->started) << "no window, or no first frame in it";
    ASSERT_GT(opening->intro.getSize().x, 0u) << "the intro never showed LEVEL 1";
    keepScreenshot(opening->intro, "intro.png");
    ASSERT_GT(opening->firstPlay.getSize().x, 0u) << "the key left the intro up";

    // The torpedo leaves from the submarine's nose on its centre line and flies right.
    int launch = int(launchX(pictures));
    EXPECT_EQ(findAlongRow(opening->firstPlay, pictures.torpedo, 300, launch - 2, 800), -1);
    Clock::time_point fired = Clock::now();
    tapKey("space");
    std::vector<Sighting> flight = followTorpedo(session, pictures, fired, 1.0);
    ASSERT_FALSE(flight.empty()) << "no torpedo after Space";
    double flown = flight.back().seconds - flight.front().seconds;
    ASSERT_GE(flown, 1.0) << "the torpedo vanished at x = " << flight.back().x << " after " << flown << " s";
    keepScreenshot(flight[flight.size() / 4].shot, "play.png");
    double speed = speedOf(flight);
    EXPECT_NEAR(speed, 400, 60) << flight.size() << " sightings over " << flown << " s";

    // Paused, the scene is dimmed, the bars show, and nothing moves.
    tapKey("Escape");
    sf::Image paused = session.await(pauseBarsShow);
    ASSERT_GT(paused.getSize().x, 0u) << "Escape did not pause";
    keepScreenshot(paused, "pause.png");
    EXPECT_GT(fractionOf(paused, dimmedSea), 0.8);
    EXPECT_GT(countPixels(paused, barOverDimmedSea, 6, 370, 250, 390, 350), 1600);
    EXPECT_GT(countPixels(paused, barOverDimmedSea, 6, 410, 250, 430, 350), 1600);
    wait(0.2);
    EXPECT_TRUE(sameImage(paused, session.shot())) << "the paused scene changed";

    tapKey("Return");
    sf::Image resumed = session.await([](const sf::Image& shot) { return !pauseBarsShow(shot); });
    ASSERT_GT(resumed.getSize().x, 0u) << "the key did not resume";
    EXPECT_GT(fractionOf(resumed, sea), 0.8);
    EXPECT_LT(fractionOf(resumed, dimmedSea), 0.01);

    tapKey("Escape");
    ASSERT_TRUE(session.appears(pauseBarsShow));
    ASSERT_TRUE(session.awaitRecordingOfNow());
    ASSERT_EQ(session.close(), 0);

    // The shot's "pew" is in the recording, once, as long after the jingle as Space came after
    // start-up. The jingle starts between the window showing and its first frame being seen,
    // the pew between Space and the torpedo's first sighting; a tenth of a second more either
    // way allows for the mixer's steps and the polls.
    Heard heard = listen(session.recording(), pew, jingle);
    double earliest = std::chrono::duration<double>(fired - session.firstFrameSeen).count() - 0.1;
    double latest = std::chrono::duration<double>(fired - session.windowShown).count() + flight.front().seconds + 0.1;
    double gap = heard.pew.seconds - heard.jingle.seconds;
    std::cout << std::fixed << std::setprecision(4) << "torpedo " << speed << " px/s from " << flight.size()
              << " sightings; pew " << heard.pew.score << " at " << heard.pew.seconds << " s, next best "
              << heard.secondPew.score << "; jingle " << heard.jingle.score << " at " << heard.jingle.seconds
              << " s; gap " << gap << " s, expected " << earliest << " to " << latest << " s; pew at "
              << heard.pew.decibels << " dB, jingle at " << heard.jingle.decibels << " dB\n";
    EXPECT_GT(heard.pew.score, 0.9) << "no pew in the recording";
    EXPECT_LT(heard.secondPew.score, 0.5) << "a second pew for one shot";
    EXPECT_GT(heard.jingle.score, 0.9);
    EXPECT_GE(gap, earliest);
    EXPECT_LE(gap, latest);
    EXPECT_NEAR(heard.pew.decibels, referenceDecibels, 1.0) << "the ring of voices plays the pew at another level";
    EXPECT_NEAR(heard.jingle.decibels, referenceDecibels, 1.0);
}

// Each sound file, put in the jingle's place, plays alone in the intro: every sound the game
// has is heard at SFML 2's level, within a decibel, whichever SFML the game was built on.
class SoundLevel : public ::testing::TestWithParam<std::string> {};

TEST_P(SoundLevel, EachSoundPlaysWithinADecibelOfSfml2sLevel)
{
    fs::path file = fs::path(GAME_RES) / (GetParam() + ".wav");
    SoundLoad sound = loadSoundFile(file);
    ASSERT_GT(sound.rate, 0u);
    GameSession session;
    fs::copy_file(file, session.res() / "beepboop.wav", fs::copy_options::overwrite_existing);
    ASSERT_TRUE(session.start());
    wait(double(sound.samples.size()) / sound.rate + 0.1 - secondsSince(session.firstFrameSeen));
    ASSERT_TRUE(session.awaitRecordingOfNow());
    ASSERT_EQ(session.close(), 0);

    Match heard = hearFile(session.recording(), file);
    std::cout << std::fixed << std::setprecision(2) << GetParam() << " at " << heard.decibels << " dB, match "
              << heard.score << ", " << heard.seconds << " s in\n";
    ASSERT_GT(heard.score, 0.9) << "not heard whole";
    EXPECT_NEAR(heard.decibels, referenceDecibels, 1.0);
}

INSTANTIATE_TEST_SUITE_P(EachInTurn, SoundLevel, ::testing::ValuesIn(gameSounds),
                         [](const ::testing::TestParamInfo<std::string>& sound) { return sound.param; });

TEST(Play, CaughtSubmarineShowsTheResultsAndOnlyAKeyAfterASecondStartsANewGame)
{
    Pictures pictures;
    GameSession session;
    ASSERT_TRUE(session.start());
    auto intro = [&](const sf::Image& shot) { return showsLevelIntro(shot, pictures, 1); };
    ASSERT_TRUE(session.appears(intro));
    tapKey("Return");

    // The squid swims at 80 px/s and starts at most about 800 pixels away: 10 s.
    auto gameOver = [&](const sf::Image& shot) { return showsGameOver(shot, pictures); };
    sf::Image results = session.await(gameOver);
    Clock::time_point caught = Clock::now();
    ASSERT_GT(results.getSize().x, 0u) << "no GAME OVER";
    keepScreenshot(results, "results.png");
    EXPECT_TRUE(showsCentred(results, pictures.score, 250, 60));
    EXPECT_TRUE(showsCentred(results, pictures.level, 260, 160));
    EXPECT_TRUE(showsRightMiddle(results, pictures.monstersKilled, 380, 440));
    EXPECT_TRUE(showsRightMiddle(results, pictures.torpedoesFired, 380, 520));
    EXPECT_EQ(readDigit(results, pictures.numbers, 450, 70), 0) << "score";
    EXPECT_EQ(readDigit(results, pictures.numbers, 450, 170), 1) << "level";
    EXPECT_EQ(readDigit(results, pictures.numbers, 450, 445), 0) << "squids destroyed";
    EXPECT_EQ(readDigit(results, pictures.numbers, 450, 530), 0) << "torpedoes fired";

    // The results sway, so new frames show the key has been read; the intro would stand still.
    tapKey("Return");
    EXPECT_TRUE(session.awaitNewFrames() && showsGameOver(session.shot(), pictures))
        << "a key within a second left the results";

    ASSERT_TRUE(session.tapReturnAfter(1.2 - secondsSince(caught)));
    EXPECT_TRUE(session.appears(intro)) << "no new game's intro";
    EXPECT_EQ(session.close(), 0);
}
