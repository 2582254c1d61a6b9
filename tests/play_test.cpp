// The built game played through the live keyboard: torpedo and pew, pause, results, clean close.
#include "game_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <complex>
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
        shot.saveToFile((fs::path(folder) / name).string());
}

//
// Finding the game's pictures in screenshots
//

sf::Image loadPicture(const std::string& name)
{
    sf::Image image;
    image.loadFromFile((fs::path(GAME_RES) / name).string());
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
    for (int y = 0; y < cell.height; y++)
        for (int x = 0; x < cell.width; x++) {
            sf::Color texel = picture.getPixel(unsigned(cell.left + x), unsigned(cell.top + y));
            if (texel.a < 240)
                continue;
            result.opaque += 1;
            int sx = left + x, sy = top + y;
            if (sx >= 0 && sy >= 0 && unsigned(sx) < size.x && unsigned(sy) < size.y &&
                near(shot.getPixel(unsigned(sx), unsigned(sy)), texel, 24))
                result.shown += 1;
        }
    return result;
}

sf::IntRect whole(const sf::Image& picture)
{
    return sf::IntRect(0, 0, int(picture.getSize().x), int(picture.getSize().y));
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
    float cellFraction = float(strip.x) / 10.0f;
    int best = -1, bestOpaque = 0;
    for (int digit = 0; digit < 10; digit++) {
        sf::IntRect cell(int(float(digit) * cellFraction), 0, int(cellFraction), int(strip.y));
        Overlap seen = overlap(shot, numbers, cell, x - int(strip.x / 20), y - int(strip.y / 2));
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

bool sameImage(const sf::Image& a, const sf::Image& b)
{
    return a.getSize() == b.getSize() &&
           std::memcmp(a.getPixelsPtr(), b.getPixelsPtr(), 4 * a.getSize().x * a.getSize().y) == 0;
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
    return submarineX(pictures) + float(pictures.submarine.getSize().x) - 10;
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
    sf::FloatRect hull(submarineX(pictures) - float(sub.x / 2), 300 - float(sub.y / 2), float(sub.x), float(sub.y));
    double sumX = 0, sumY = 0, count = 0;
    for (unsigned y = 0; y < shot.getSize().y; y++)
        for (unsigned x = 0; x < shot.getSize().x; x++)
            if (!near(shot.getPixel(x, y), sea, 2) && !hull.contains(float(x) + 0.5f, float(y) + 0.5f)) {
                sumX += x;
                sumY += y;
                count += 1;
            }
    if (count == 0)
        return sf::Vector2f(-1000, -1000);
    return sf::Vector2f(float(sumX / count), float(sumY / count));
}

// A torpedo strikes within 52 pixels; 30 more allow for the squid drifting towards the line
// while the torpedo flies.
bool firingLineClear(const sf::Image& shot, const Pictures& pictures)
{
    sf::Vector2f squid = squidCentre(shot, pictures);
    return std::abs(squid.y - 300) >= 82 || squid.x < launchX(pictures) - 82;
}

//
// A game whose squid leaves the torpedo's line clear
//

struct Opening {
    bool started = false;       // whether its window and first frame came
    sf::Image intro;
    sf::Image firstPlay;        // the first screenshot after the intro key
};

// Starts games until one whose squid is clear of the torpedo's line, which is left playing;
// a game that fails to open or to leave its intro is returned as it is, for the test to judge.
// Nothing if no game in six was clear.
std::optional<Opening> openClearGame(GameSession& session, const Pictures& pictures, double jingleSeconds)
{
    for (int attempt = 0; attempt < 6; attempt++) {
        if (attempt > 0)
            session.close();
        Opening opening;
        opening.started = session.start();
        if (!opening.started)
            return opening;
        opening.intro = session.await(5, [&](const sf::Image& shot) { return showsLevelIntro(shot, pictures, 1); });
        // Play starts once the jingle is over, and past the 0.3 s that guards the first shot.
        wait(std::max(jingleSeconds, 0.3) + 0.1 - secondsSince(session.windowShown));
        tapKey("Return");
        wait(3.0 / 60);
        opening.firstPlay = session.shot();
        if (showsCentred(opening.firstPlay, pictures.level, 300, 300) || firingLineClear(opening.firstPlay, pictures))
            return opening;
    }
    return std::nullopt;
}

//
// Finding a sound in the recording
//

// One value per frame, the mean of the channels, in [-1, 1].
std::vector<double> monoSamples(const sf::SoundBuffer& buffer)
{
    unsigned channels = buffer.getChannelCount();
    std::vector<double> samples(channels ? buffer.getSampleCount() / channels : 0);
    for (std::size_t i = 0; i < samples.size(); i++) {
        double sum = 0;
        for (unsigned c = 0; c < channels; c++)
            sum += buffer.getSamples()[i * channels + c];
        samples[i] = sum / channels / 32768.0;
    }
    return samples;
}

// Linear interpolation, as OpenAL Soft resamples by default.
std::vector<double> resample(const std::vector<double>& samples, unsigned from, unsigned to)
{
    if (from == to || samples.empty())
        return samples;
    double step = double(from) / double(to);
    std::vector<double> out(std::size_t(double(samples.size() - 1) / step) + 1);
    for (std::size_t i = 0; i < out.size(); i++) {
        double at = double(i) * step;
        std::size_t k = std::size_t(at);
        double next = k + 1 < samples.size() ? samples[k + 1] : samples[k];
        out[i] = samples[k] + (next - samples[k]) * (at - double(k));
    }
    return out;
}

// In place, radix 2; the size must be a power of two.
void fourier(std::vector<std::complex<double>>& a, bool inverse)
{
    std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; i++) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        double angle = 2 * std::acos(-1.0) / double(length) * (inverse ? 1 : -1);
        std::complex<double> turn(std::cos(angle), std::sin(angle));
        for (std::size_t start = 0; start < n; start += length) {
            std::complex<double> w(1);
            for (std::size_t k = 0; k < length / 2; k++, w *= turn) {
                std::complex<double> u = a[start + k], v = a[start + k + length / 2] * w;
                a[start + k] = u + v;
                a[start + k + length / 2] = u - v;
            }
        }
    }
    if (inverse)
        for (std::complex<double>& value : a)
            value /= double(n);
}

// Sum over i of recording[lag + i] * reference[i], for every lag.
std::vector<double> crossCorrelation(const std::vector<double>& recording, const std::vector<double>& reference)
{
    std::size_t n = 1;
    while (n < recording.size() + reference.size())
        n <<= 1;
    std::vector<std::complex<double>> r(n), p(n);
    std::copy(recording.begin(), recording.end(), r.begin());
    std::copy(reference.begin(), reference.end(), p.begin());
    fourier(r, false);
    fourier(p, false);
    for (std::size_t i = 0; i < n; i++)
        r[i] *= std::conj(p[i]);
    fourier(r, true);
    std::vector<double> sums(recording.size());
    for (std::size_t lag = 0; lag < sums.size(); lag++)
        sums[lag] = r[lag].real();
    return sums;
}

// 1 where a stretch of the recording is the reference at any gain; near 0 for unrelated sound.
// Stretches far quieter than the reference count as silence.
std::vector<double> likeness(const std::vector<double>& recording, const std::vector<double>& reference)
{
    if (reference.empty() || recording.size() < reference.size())
        return {};
    std::vector<double> sums = crossCorrelation(recording, reference);
    std::vector<double> energyBefore(recording.size() + 1, 0);
    for (std::size_t i = 0; i < recording.size(); i++)
        energyBefore[i + 1] = energyBefore[i] + recording[i] * recording[i];
    double referenceEnergy = energyBefore[0];
    for (double sample : reference)
        referenceEnergy += sample * sample;
    std::vector<double> scores(recording.size() - reference.size() + 1, 0);
    for (std::size_t lag = 0; lag < scores.size(); lag++) {
        double stretch = energyBefore[lag + reference.size()] - energyBefore[lag];
        if (stretch > 1e-3 * referenceEnergy)
            scores[lag] = sums[lag] / std::sqrt(stretch * referenceEnergy);
    }
    return scores;
}

struct Match {
    double seconds = -1;
    double score = 0;
};

// The best match outside the excluded stretch of lags.
Match strongest(const std::vector<double>& scores, unsigned rate, std::size_t skipFrom = 0, std::size_t skipTo = 0)
{
    Match best;
    for (std::size_t lag = 0; lag < scores.size(); lag++)
        if ((lag < skipFrom || lag >= skipTo) && scores[lag] > best.score) {
            best.score = scores[lag];
            best.seconds = double(lag) / rate;
        }
    return best;
}

struct SoundLoad {
    std::vector<double> samples;
    unsigned rate = 0;
};

SoundLoad loadSoundFile(const fs::path& path)
{
    sf::SoundBuffer buffer;
    SoundLoad sound;
    if (buffer.loadFromFile(path.string())) {
        sound.samples = monoSamples(buffer);
        sound.rate = buffer.getSampleRate();
    }
    return sound;
}

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
    std::vector<double> pewScores = likeness(recording.samples, resample(pew.samples, pew.rate, recording.rate));
    heard.pew = strongest(pewScores, recording.rate);
    std::size_t pewLags = pew.samples.size() * recording.rate / pew.rate;
    std::size_t pewAt = std::size_t(heard.pew.seconds * recording.rate);
    heard.secondPew = strongest(pewScores, recording.rate, pewAt > pewLags ? pewAt - pewLags : 0, pewAt + pewLags);
    heard.jingle = strongest(likeness(recording.samples, resample(jingle.samples, jingle.rate, recording.rate)),
                             recording.rate);
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
    ASSERT_TRUE(opening) << "no game in six had its squid clear of the torpedo's line";
    ASSERT_TRUE(opening->started) << "no window, or no first frame in it";
    ASSERT_GT(opening->intro.getSize().x, 0u) << "the intro never showed LEVEL 1";
    keepScreenshot(opening->intro, "intro.png");
    ASSERT_FALSE(showsCentred(opening->firstPlay, pictures.level, 300, 300)) << "the key left the intro up";

    // The torpedo leaves from the submarine's nose on its centre line and flies right.
    int launch = int(launchX(pictures));
    EXPECT_EQ(findAlongRow(opening->firstPlay, pictures.torpedo, 300, launch - 2, 800), -1);
    Clock::time_point fired = Clock::now();
    tapKey("space");
    wait(2.0 / 60);
    Clock::time_point firstSeen = Clock::now();
    sf::Image flying = session.shot();
    wait(0.25);
    Clock::time_point secondSeen = Clock::now();
    sf::Image flown = session.shot();
    keepScreenshot(flown, "play.png");
    int first = findAlongRow(flying, pictures.torpedo, 300, launch - 2, 800);
    int second = findAlongRow(flown, pictures.torpedo, 300, launch - 2, 800);
    ASSERT_GE(first, 0) << "no torpedo after Space";
    ASSERT_GE(second, 0) << "the torpedo vanished";
    double speed = (second - first) / std::chrono::duration<double>(secondSeen - firstSeen).count();
    EXPECT_NEAR(speed, 400, 60);

    // Paused, the scene is dimmed, the bars show, and nothing moves.
    tapKey("Escape");
    wait(4.0 / 60);
    sf::Image paused = session.shot();
    keepScreenshot(paused, "pause.png");
    EXPECT_GT(fractionOf(paused, dimmedSea), 0.8);
    EXPECT_GT(countPixels(paused, barOverDimmedSea, 6, 370, 250, 390, 350), 1600);
    EXPECT_GT(countPixels(paused, barOverDimmedSea, 6, 410, 250, 430, 350), 1600);
    wait(0.2);
    EXPECT_TRUE(sameImage(paused, session.shot())) << "the paused scene changed";

    tapKey("Return");
    wait(4.0 / 60);
    sf::Image resumed = session.shot();
    EXPECT_GT(fractionOf(resumed, sea), 0.8);
    EXPECT_LT(fractionOf(resumed, dimmedSea), 0.01);

    ASSERT_EQ(session.close(), 0);

    // The shot's "pew" is in the recording, once, as long after the jingle as Space came after start-up.
    Heard heard = listen(session.recording(), pew, jingle);
    // The jingle starts with the first frame, a moment after the window shows.
    double expectedGap = std::chrono::duration<double>(fired - session.windowShown).count();
    std::cout << std::fixed << std::setprecision(4) << "torpedo " << speed << " px/s; pew " << heard.pew.score
              << " at " << heard.pew.seconds << " s, next best " << heard.secondPew.score << "; jingle "
              << heard.jingle.score << " at " << heard.jingle.seconds << " s; Space came " << expectedGap
              << " s after the window showed\n";
    EXPECT_GT(heard.pew.score, 0.9) << "no pew in the recording";
    EXPECT_LT(heard.secondPew.score, 0.5) << "a second pew for one shot";
    EXPECT_GT(heard.jingle.score, 0.9);
    EXPECT_NEAR(heard.pew.seconds - heard.jingle.seconds, expectedGap, 0.3);
}

TEST(Play, CaughtSubmarineShowsTheResultsAndOnlyAKeyAfterASecondStartsANewGame)
{
    Pictures pictures;
    GameSession session;
    ASSERT_TRUE(session.start());
    auto intro = [&](const sf::Image& shot) { return showsLevelIntro(shot, pictures, 1); };
    ASSERT_GT(session.await(5, intro).getSize().x, 0u);
    tapKey("Return");

    // The squid swims at 80 px/s and starts at most about 800 pixels away.
    auto gameOver = [&](const sf::Image& shot) { return showsGameOver(shot, pictures); };
    sf::Image results = session.await(12, gameOver);
    Clock::time_point caught = Clock::now();
    ASSERT_GT(results.getSize().x, 0u) << "no GAME OVER within 12 s of play";
    keepScreenshot(results, "results.png");
    EXPECT_TRUE(showsCentred(results, pictures.score, 250, 60));
    EXPECT_TRUE(showsCentred(results, pictures.level, 260, 160));
    EXPECT_TRUE(showsRightMiddle(results, pictures.monstersKilled, 380, 440));
    EXPECT_TRUE(showsRightMiddle(results, pictures.torpedoesFired, 380, 520));
    EXPECT_EQ(readDigit(results, pictures.numbers, 450, 70), 0) << "score";
    EXPECT_EQ(readDigit(results, pictures.numbers, 450, 170), 1) << "level";
    EXPECT_EQ(readDigit(results, pictures.numbers, 450, 445), 0) << "squids destroyed";
    EXPECT_EQ(readDigit(results, pictures.numbers, 450, 530), 0) << "torpedoes fired";

    tapKey("Return");
    wait(4.0 / 60);
    EXPECT_TRUE(showsGameOver(session.shot(), pictures)) << "a key within a second left the results";

    wait(1.3 - secondsSince(caught));
    tapKey("Return");
    EXPECT_GT(session.await(1, intro).getSize().x, 0u) << "no new game's intro";
    EXPECT_EQ(session.close(), 0);
}
