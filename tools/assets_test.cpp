// Checks the committed pictures and sounds against how the game places, collides and plays them.
#include "sfml_compat_tools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

// A rectangle of pixels, on screen or in a picture.
sf::IntRect box(int left, int top, int width, int height) { return sf::IntRect({left, top}, {width, height}); }

sf::Image picture(const std::string& name)
{
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile(std::string(ASSETS_RES) + "/" + name)) << name;
    return image;
}

// A picture, or one cell of it, as the game puts it on screen: integer offsets throughout.
struct Placed {
    const sf::Image* image;
    sf::IntRect area;
    int left;    // screen x of the area's left column
    int top;     // screen y of the area's top row

    bool opaqueAt(int x, int y) const
    {
        int u = x - left;
        int v = y - top;
        return u >= 0 && v >= 0 && u < sizeOf(area).x && v < sizeOf(area).y &&
               pixelAt(*image, unsigned(topLeft(area).x + u), unsigned(topLeft(area).y + v)).a != 0;
    }
};

Placed centred(const sf::Image& image, int x, int y)
{
    sf::Vector2u size = image.getSize();
    return {&image, box(0, 0, int(size.x), int(size.y)), x - int(size.x / 2), y - int(size.y / 2)};
}

Placed rightMiddle(const sf::Image& image, int x, int y)
{
    sf::Vector2u size = image.getSize();
    return {&image, box(0, 0, int(size.x), int(size.y)), x - int(size.x), y - int(size.y / 2)};
}

// The game's number drawing: a minus hung at (x - 5, y - 6), then digits one cell apart.
std::vector<Placed> number(const sf::Image& strip, const sf::Image& minus, int value, int x, int y)
{
    std::vector<Placed> parts;
    int cell = int(strip.getSize().x / 10);
    if (value < 0) {
        parts.push_back(centred(minus, x - 5, y - 6));
        x += cell;
    }
    for (char digit : std::to_string(std::abs(value))) {
        sf::IntRect area = box((digit - '0') * cell, 0, cell, int(strip.getSize().y));
        parts.push_back({&strip, area, x - int(strip.getSize().x / 20), y - int(strip.getSize().y / 2)});
        x += cell;
    }
    return parts;
}

// Screen rectangle around the opaque pixels, or an empty one for a blank picture.
sf::IntRect inkBounds(const Placed& p)
{
    sf::Vector2i size = sizeOf(p.area);
    int x0 = size.x, y0 = size.y, x1 = -1, y1 = -1;
    for (int v = 0; v < size.y; ++v) {
        for (int u = 0; u < size.x; ++u) {
            if (!p.opaqueAt(p.left + u, p.top + v))
                continue;
            x0 = std::min(x0, u);
            y0 = std::min(y0, v);
            x1 = std::max(x1, u);
            y1 = std::max(y1, v);
        }
    }
    return x1 < 0 ? sf::IntRect() : box(p.left + x0, p.top + y0, x1 - x0 + 1, y1 - y0 + 1);
}

bool pixelsOverlap(const Placed& a, const Placed& b)
{
    std::optional<sf::IntRect> shared = overlap(inkBounds(a), inkBounds(b));
    if (!shared)
        return false;
    sf::Vector2i from = topLeft(*shared), to = from + sizeOf(*shared);
    for (int y = from.y; y < to.y; ++y) {
        for (int x = from.x; x < to.x; ++x) {
            if (a.opaqueAt(x, y) && b.opaqueAt(x, y))
                return true;
        }
    }
    return false;
}

const int far = 1 << 20;   // further than any two things on screen

// Narrowest run of empty pixels between a's right side and b's left side, on rows both cover;
// negative where they overlap, and far when they share no row at all.
int horizontalGap(const Placed& a, const Placed& b)
{
    sf::IntRect boundsA = inkBounds(a), boundsB = inkBounds(b);
    sf::Vector2i fromA = topLeft(boundsA), toA = fromA + sizeOf(boundsA);
    sf::Vector2i fromB = topLeft(boundsB), toB = fromB + sizeOf(boundsB);
    int top = std::max(fromA.y, fromB.y);
    int bottom = std::min(toA.y, toB.y);
    int gap = far;
    for (int y = top; y < bottom; ++y) {
        int rightOfA = -far;
        int leftOfB = far;
        for (int x = fromA.x; x < toA.x; ++x)
            rightOfA = a.opaqueAt(x, y) ? x : rightOfA;
        for (int x = toB.x - 1; x >= fromB.x; --x)
            leftOfB = b.opaqueAt(x, y) ? x : leftOfB;
        if (rightOfA > -far && leftOfB < far)
            gap = std::min(gap, leftOfB - rightOfA - 1);
    }
    return gap;
}

} // namespace

TEST(SpriteGeometry, TorpedoAppearsJustAheadOfTheSubmarinesNose)
{
    sf::Image sub = picture("submarine.png");
    sf::Image torpedo = picture("torpedo.png");
    int launch = int(sub.getSize().x) - 10;     // the game's launch offset from the submarine
    int gap = horizontalGap(centred(sub, 100, 100), centred(torpedo, 100 + launch, 100));
    EXPECT_GE(gap, 2) << "the torpedo starts on top of the nose";
    EXPECT_LE(gap, 10) << "the torpedo starts far from the nose";
}

TEST(SpriteGeometry, TorpedoVisiblyReachesASquidWhenTheHitCounts)
{
    sf::Image torpedo = picture("torpedo.png");
    sf::Image squid = picture("squid.png");
    int gap = horizontalGap(centred(torpedo, 100, 100), centred(squid, 151, 100));   // 51 < 52: a hit
    EXPECT_LE(gap, 2);
    EXPECT_GE(gap, -6) << "the torpedo would sink deep into the squid before it counts";
}

TEST(SpriteGeometry, SquidTouchesTheSubmarineFromEverySideWhenItCatchesIt)
{
    sf::Image sub = picture("submarine.png");
    sf::Image squid = picture("squid.png");
    for (int degrees = 0; degrees < 360; degrees += 15) {
        double angle = degrees * 3.14159265 / 180.0;
        int x = 200 + int(std::lround(31.0 * std::cos(angle)));   // just inside the 32 px catch
        int y = 200 + int(std::lround(31.0 * std::sin(angle)));
        EXPECT_TRUE(pixelsOverlap(centred(sub, 200, 200), centred(squid, x, y))) << degrees << " degrees";
    }
}

TEST(SpriteGeometry, ExplosionAtFullSizeIsAsBigAsASquid)
{
    sf::Image blast = picture("explosion.png");
    sf::Image squid = picture("squid.png");
    sf::Vector2i blastInk = sizeOf(inkBounds(centred(blast, 0, 0)));
    sf::Vector2i squidInk = sizeOf(inkBounds(centred(squid, 0, 0)));
    EXPECT_GE(blastInk.x, squidInk.x);
    EXPECT_GE(blastInk.y, squidInk.y);
}

namespace {

// Every piece lies inside the 800 x 600 window and no two pieces' ink rectangles meet.
void expectApartAndOnScreen(const std::vector<std::pair<std::string, Placed>>& pieces)
{
    sf::IntRect window = box(0, 0, 800, 600);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        sf::IntRect ink = inkBounds(pieces[i].second);
        std::optional<sf::IntRect> inside = overlap(window, ink);
        EXPECT_TRUE(inside && *inside == ink) << pieces[i].first << " leaves the window";
        for (std::size_t j = i + 1; j < pieces.size(); ++j)
            EXPECT_FALSE(overlap(ink, inkBounds(pieces[j].second))) << pieces[i].first << " meets " << pieces[j].first;
    }
}

void addNumber(std::vector<std::pair<std::string, Placed>>& pieces, int value, int x, int y)
{
    static const sf::Image strip = picture("numbers.png");
    static const sf::Image minus = picture("minus.png");
    for (const Placed& part : number(strip, minus, value, x, y))
        pieces.push_back({std::to_string(value) + " at y " + std::to_string(y), part});
}

} // namespace

TEST(NumberLayout, DigitStripSplitsIntoTenCellsWithEachDigitCentred)
{
    sf::Image strip = picture("numbers.png");
    ASSERT_EQ(strip.getSize().x % 20, 0u);
    int cell = int(strip.getSize().x / 10);
    for (int digit = 0; digit < 10; ++digit) {
        Placed alone{&strip, box(digit * cell, 0, cell, int(strip.getSize().y)), 0, 0};
        sf::IntRect ink = inkBounds(alone);
        ASSERT_GT(sizeOf(ink).x, 0) << "digit " << digit << " is blank";
        EXPECT_NEAR(topLeft(ink).x + sizeOf(ink).x / 2.0, cell / 2.0, 2.0) << "digit " << digit;
    }
}

TEST(NumberLayout, MinusLinesUpWithTheDigitsWithoutTouchingThem)
{
    sf::Image strip = picture("numbers.png");
    sf::Image minus = picture("minus.png");
    std::vector<Placed> minusEight = number(strip, minus, -8, 450, 70);
    ASSERT_EQ(minusEight.size(), 2u);
    sf::IntRect bar = inkBounds(minusEight[0]);
    sf::IntRect eight = inkBounds(minusEight[1]);
    EXPECT_NEAR(topLeft(bar).y + sizeOf(bar).y / 2.0, topLeft(eight).y + sizeOf(eight).y / 2.0, 1.5);
    EXPECT_LT(sizeOf(bar).y, sizeOf(eight).y / 2);
    int gap = horizontalGap(minusEight[0], minusEight[1]);
    EXPECT_GE(gap, 2);
    EXPECT_LE(gap, 16);
}

// Long numbers and the caption's whole sway, so the layout holds for any finished game.
TEST(ScreenLayout, ResultsScreenPiecesStayApartAndOnScreen)
{
    sf::Image gameOver = picture("gameover.png");
    sf::Image score = picture("score.png");
    sf::Image level = picture("level.png");
    sf::Image destroyed = picture("monsterskilled.png");
    sf::Image fired = picture("torpedosfired.png");
    for (int sway : {-30, 0, 30}) {
        std::vector<std::pair<std::string, Placed>> pieces = {
            {"GAME OVER", centred(gameOver, 400 + sway, 300)},
            {"SCORE", centred(score, 250, 60)},
            {"LEVEL", centred(level, 260, 160)},
            {"SQUIDS DESTROYED", rightMiddle(destroyed, 380, 440)},
            {"TORPEDOES FIRED", rightMiddle(fired, 380, 520)},
        };
        addNumber(pieces, -999, 450, 70);
        addNumber(pieces, 99, 450, 170);
        addNumber(pieces, 9999, 450, 445);
        addNumber(pieces, 9999, 450, 530);
        expectApartAndOnScreen(pieces);
    }
}

TEST(ScreenLayout, LevelIntroCaptionClearsItsNumber)
{
    sf::Image level = picture("level.png");
    std::vector<std::pair<std::string, Placed>> pieces = {{"LEVEL", centred(level, 300, 300)}};
    addNumber(pieces, 88, 500, 300);
    expectApartAndOnScreen(pieces);
}

namespace {

struct Recording {
    unsigned channels = 0;
    unsigned rate = 0;
    std::vector<std::int16_t> samples;
};

// Read without a sound device: the file reader needs no OpenAL context.
Recording recording(const std::string& name)
{
    sf::InputSoundFile file;
    Recording out;
    if (!file.openFromFile(std::string(ASSETS_RES) + "/" + name))
        return out;
    out.channels = file.getChannelCount();
    out.rate = file.getSampleRate();
    out.samples.resize(std::size_t(file.getSampleCount()));
    out.samples.resize(std::size_t(file.read(out.samples.data(), out.samples.size())));
    return out;
}

// Zero crossings per second over a slice given as fractions of the sound: a rough pitch.
double crossingRate(const Recording& sound, double from, double to)
{
    std::size_t first = std::size_t(from * double(sound.samples.size()));
    std::size_t last = std::size_t(to * double(sound.samples.size()));
    int crossings = 0;
    for (std::size_t i = first + 1; i < last; ++i)
        crossings += (sound.samples[i - 1] < 0) != (sound.samples[i] < 0);
    return crossings * double(sound.rate) / double(last - first);
}

} // namespace

TEST(Sounds, EachIsMonoAt44100HzWithItsIntendedLengthAndNoClipping)
{
    const std::pair<const char*, double> lengths[] = {
        {"pew.wav", 0.15}, {"explosion.wav", 0.6}, {"splash.wav", 0.4}, {"gameover.wav", 1.5}, {"beepboop.wav", 0.8}};
    for (const auto& [name, seconds] : lengths) {
        Recording sound = recording(name);
        ASSERT_FALSE(sound.samples.empty()) << name;
        EXPECT_EQ(sound.channels, 1u) << name;
        EXPECT_EQ(sound.rate, 44100u) << name;
        EXPECT_NEAR(double(sound.samples.size()) / 44100.0, seconds, seconds * 0.1) << name;
        int peak = 0;
        for (std::int16_t s : sound.samples)
            peak = std::max(peak, std::abs(int(s)));
        EXPECT_LT(peak, int(0.89 * 32767)) << name << " peaks above -1 dBFS";
        EXPECT_GT(peak, int(0.5 * 32767)) << name << " is too quiet beside the others";
        EXPECT_LT(std::abs(int(sound.samples.front())), 300) << name << " clicks as it starts";
        EXPECT_LT(std::abs(int(sound.samples.back())), 300) << name << " clicks as it stops";
    }
}

TEST(Sounds, ShotAndTuneFallInPitchAndTheBlastIsDeepest)
{
    Recording pew = recording("pew.wav");
    Recording blast = recording("explosion.wav");
    Recording tune = recording("gameover.wav");
    ASSERT_FALSE(pew.samples.empty() || blast.samples.empty() || tune.samples.empty());
    EXPECT_GT(crossingRate(pew, 0.0, 0.3), 1.5 * crossingRate(pew, 0.6, 0.9));
    EXPECT_GT(crossingRate(tune, 0.0, 0.15), 1.3 * crossingRate(tune, 0.6, 0.9));
    for (const char* name : {"pew.wav", "splash.wav", "beepboop.wav"})
        EXPECT_LT(crossingRate(blast, 0.0, 1.0), 0.5 * crossingRate(recording(name), 0.0, 1.0)) << name;
}
