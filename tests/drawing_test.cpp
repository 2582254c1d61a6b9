// Numbers, the world's layers, explosions and each phase's overlay, checked on the drawn pixels.
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <vector>

static const sf::Color black(0, 0, 0);
static const sf::Color squidColour(230, 40, 40);
static const sf::Color submarineColour(250, 200, 0);
static const sf::Color torpedoColour(40, 40, 230);
static const sf::Color gameOverColour(120, 60, 160);
static const sf::Color levelColour(200, 120, 40);
static const sf::Color scoreColour(60, 160, 160);
static const sf::Color killedColour(160, 160, 60);
static const sf::Color firedColour(100, 220, 100);
static const sf::Color minusColour(0, 255, 0);

// Where each digit's cell starts in a strip 255 pixels wide: 25.5 pixels a cell, truncated.
static const int cellStart[10] = {0, 25, 51, 76, 102, 127, 153, 178, 204, 229};

// Every column has its own red and every row its own green, so a drawn pixel tells which
// strip pixel it came from, and a cell taken one column or one row off shows.
static sf::Image numberStrip()
{
    sf::Image strip = filledImage({255, 20}, sf::Color::Black);
    for (unsigned x = 0; x < 255; x++)
        for (unsigned y = 0; y < 20; y++)
            setPixelAt(strip, x, y, sf::Color(std::uint8_t(x), std::uint8_t(30 + 10 * y), 200));
    return strip;
}

static bool isStripPixel(sf::Color colour)
{
    return colour.b == 200 && colour.g >= 30 && colour.g <= 220;
}

// Solid pictures of distinct colours, each smaller than the one drawn before it in the world,
// so a layer drawn out of turn hides the next.
static void writeTestPictures(const ScratchFolder& folder)
{
    writePicture(folder.res() / "squid.png", 100, 100, squidColour);
    writePicture(folder.res() / "submarine.png", 70, 70, submarineColour);
    writePicture(folder.res() / "torpedo.png", 50, 50, torpedoColour);
    writePicture(folder.res() / "explosion.png", 40, 40, sf::Color::White);
    writePicture(folder.res() / "gameover.png", 500, 440, gameOverColour);
    writePicture(folder.res() / "level.png", 120, 40, levelColour);
    writePicture(folder.res() / "score.png", 80, 30, scoreColour);
    writePicture(folder.res() / "monsterskilled.png", 100, 20, killedColour);
    writePicture(folder.res() / "torpedosfired.png", 150, 20, firedColour);
    writePicture(folder.res() / "minus.png", 10, 4, minusColour);
    (void)numberStrip().saveToFile((folder.res() / "numbers.png").string());
}

// Nothing in play, the submarine out of sight, the level caption where the first level puts
// it, and the game-over caption where its sway crosses the centre.
static void openWithTestPictures(const ScratchFolder& folder)
{
    writeTestPictures(folder);
    openGameWindow();
    resetGame();
    submarineSprite.setPosition({-200, -200});
    levelSprite.setPosition({300, 300});
    gameOverSprite.setPosition({400, 300});
}

static sf::Image drawnScene(sf::Color background)
{
    window.clear(background);
    drawScene();
    return readBack(window);
}

static sf::Image plain(sf::Color background)
{
    return filledImage({800, 600}, background);
}

static sf::Color over(sf::Color below, sf::Color above)
{
    auto mix = [&](std::uint8_t under, std::uint8_t on) {
        return std::uint8_t((on * above.a + under * (255 - above.a) + 127) / 255);
    };
    return sf::Color(mix(below.r, above.r), mix(below.g, above.g), mix(below.b, above.b));
}

// Lays a colour over a rectangle of the expected frame, blended by its alpha.
static void paint(sf::Image& image, sf::IntRect area, sf::Color colour)
{
    sf::Vector2i from = topLeft(area), to = topLeft(area) + sizeOf(area);
    int right = std::min(to.x, int(image.getSize().x));
    int bottom = std::min(to.y, int(image.getSize().y));
    for (int y = std::max(from.y, 0); y < bottom; y++)
        for (int x = std::max(from.x, 0); x < right; x++)
            setPixelAt(image, x, y, over(pixelAt(image, x, y), colour));
}

// A minus sign or a digit cell, centred on (x, y) as the game's origins put them.
struct Glyph {
    char symbol;
    int x;
    int y;
};

static void stamp(sf::Image& image, const std::vector<Glyph>& glyphs)
{
    static const sf::Image strip = numberStrip();
    for (const Glyph& glyph : glyphs) {
        if (glyph.symbol == '-') {
            paint(image, sf::IntRect({glyph.x - 5, glyph.y - 2}, {10, 4}), minusColour);
            continue;
        }
        int source = cellStart[glyph.symbol - '0'];
        for (int row = 0; row < 20; row++)
            for (int column = 0; column < 25; column++)
                setPixelAt(image, glyph.x - 12 + column, glyph.y - 10 + row, pixelAt(strip, source + column, row));
    }
}

static std::string describe(sf::Color colour)
{
    std::ostringstream text;
    text << '(' << int(colour.r) << ',' << int(colour.g) << ',' << int(colour.b) << ')';
    return text.str();
}

// Every pixel of the area within tolerance of the expected frame; a failure names how many
// pixels differ and where the first one is.
static testing::AssertionResult matches(const sf::Image& drawn, const sf::Image& expected,
                                        int tolerance, sf::IntRect area = sf::IntRect({0, 0}, {800, 600}))
{
    int wrong = 0;
    std::string first;
    sf::Vector2i from = topLeft(area), to = topLeft(area) + sizeOf(area);
    for (int y = from.y; y < to.y; y++)
        for (int x = from.x; x < to.x; x++) {
            sf::Color got = pixelAt(drawn, x, y);
            sf::Color want = pixelAt(expected, x, y);
            if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
                std::abs(got.b - want.b) <= tolerance)
                continue;
            if (wrong++ == 0)
                first = "(" + std::to_string(x) + "," + std::to_string(y) + ") drawn " + describe(got) +
                        ", expected " + describe(want);
        }
    if (wrong == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << wrong << " pixels differ; first at " << first;
}

// The middle of the box around every pixel that passes, in the coordinates of the 800 x 600
// scene stretched over the whole image.
static sf::Vector2f sceneMiddle(const sf::Image& image, const std::function<bool(sf::Color)>& wanted)
{
    sf::Vector2u size = image.getSize();
    unsigned left = size.x, top = size.y, right = 0, bottom = 0;
    for (unsigned y = 0; y < size.y; y++)
        for (unsigned x = 0; x < size.x; x++)
            if (wanted(pixelAt(image, x, y))) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
    return sf::Vector2f(float(left + right) / 2 * 800 / float(size.x),
                        float(top + bottom) / 2 * 600 / float(size.y));
}

TEST(NumberDrawing, SingleDigitIsCentredOnItsPlaceFromItsOwnCell)
{
    ScratchFolder folder;
    openWithTestPictures(folder);
    window.clear(sea);
    drawNumber(0, 100, 100);
    drawNumber(7, 300, 100);
    drawNumber(3, 500, 100);
    drawNumber(9, 700, 100);

    sf::Image expected = plain(sea);
    stamp(expected, {{'0', 100, 100}, {'7', 300, 100}, {'3', 500, 100}, {'9', 700, 100}});
    EXPECT_TRUE(matches(readBack(window), expected, 0));
}

TEST(NumberDrawing, MostSignificantDigitSitsAtXAndTheRestFollowOneWholeCellApart)
{
    ScratchFolder folder;
    openWithTestPictures(folder);
    window.clear(sea);
    drawNumber(120, 300, 200);
    drawNumber(1234567890, 40, 400);

    sf::Image expected = plain(sea);
    stamp(expected, {{'1', 300, 200}, {'2', 325, 200}, {'0', 350, 200}});
    stamp(expected, {{'1', 40, 400}, {'2', 65, 400}, {'3', 90, 400}, {'4', 115, 400}, {'5', 140, 400},
                     {'6', 165, 400}, {'7', 190, 400}, {'8', 215, 400}, {'9', 240, 400}, {'0', 265, 400}});
    EXPECT_TRUE(matches(readBack(window), expected, 0));
}

TEST(NumberDrawing, NegativeNumberHasRaisedMinusAtXAndDigitsOneCellRight)
{
    ScratchFolder folder;
    openWithTestPictures(folder);
    window.clear(sea);
    drawNumber(-42, 300, 200);
    drawNumber(-5, 100, 400);

    sf::Image expected = plain(sea);
    stamp(expected, {{'-', 295, 194}, {'4', 325, 200}, {'2', 350, 200}});
    stamp(expected, {{'-', 95, 394}, {'5', 125, 400}});
    EXPECT_TRUE(matches(readBack(window), expected, 0));
}

TEST(NumberDrawing, MostNegativeIntegerShowsMinusAndAllTenDigits)
{
    ScratchFolder folder;
    openWithTestPictures(folder);
    window.clear(sea);
    drawNumber(INT_MIN, 100, 300);

    sf::Image expected = plain(sea);
    stamp(expected, {{'-', 95, 294}, {'2', 125, 300}, {'1', 150, 300}, {'4', 175, 300}, {'7', 200, 300},
                     {'4', 225, 300}, {'8', 250, 300}, {'3', 275, 300}, {'6', 300, 300}, {'4', 325, 300},
                     {'8', 350, 300}});
    EXPECT_TRUE(matches(readBack(window), expected, 0));
}

// The world lies in x < 150, where no phase's overlay reaches; only the pause dims it.
TEST(WorldLayer, SquidsThenSubmarineThenTorpedoesThenExplosionsInEveryPhase)
{
    ScratchFolder folder;
    openWithTestPictures(folder);
    squids = {{{100, 100}, false}, {{100, 450}, false}};
    submarineSprite.setPosition({100, 100});
    torpedoes = {{{100, 100}, false}, {{100, 300}, false}};
    explosions = {{{100, 100}, 0.0f}};
    gameTime = 0.25f;

    for (GamePhase shown : {LevelIntro, Playing, Paused, GameOver}) {
        SCOPED_TRACE("phase " + std::to_string(shown));
        phase = shown;
        explosionSprite.setColor(sf::Color::White);  // as the caught submarine leaves it
        sf::Image expected = plain(sea);
        paint(expected, sf::IntRect({50, 50}, {100, 100}), squidColour);
        paint(expected, sf::IntRect({50, 400}, {100, 100}), squidColour);
        paint(expected, sf::IntRect({65, 65}, {70, 70}), submarineColour);
        paint(expected, sf::IntRect({75, 75}, {50, 50}), torpedoColour);
        paint(expected, sf::IntRect({75, 275}, {50, 50}), torpedoColour);
        paint(expected, sf::IntRect({85, 85}, {30, 30}), sf::Color(255, 255, 255, shown == GameOver ? 255 : 129));
        if (shown == Paused)
            paint(expected, sf::IntRect({0, 0}, {800, 600}), sf::Color(0, 0, 0, 128));
        EXPECT_TRUE(matches(drawnScene(sea), expected, 2, sf::IntRect({0, 0}, {150, 600})));
    }
}

// Over black, a white explosion's drawn grey is its alpha; its footprint is its scale.
TEST(ExplosionLook, FadesFromInvisibleWhileGrowingFromHalfSize)
{
    ScratchFolder folder;
    openWithTestPictures(folder);
    phase = Playing;
    gameTime = 0.5f;
    explosions = {{{100, 100}, 0.5f - 1.0f / 60}, {{300, 100}, 0.25f}, {{500, 100}, 0.0f}, {{700, 100}, 0.5f}};

    sf::Image expected = plain(black);
    paint(expected, sf::IntRect({90, 90}, {20, 20}), sf::Color(248, 248, 248));  // 40 x 0.517 covers 20 pixels
    paint(expected, sf::IntRect({285, 85}, {30, 30}), sf::Color(129, 129, 129));
    paint(expected, sf::IntRect({480, 80}, {40, 40}), sf::Color(1, 1, 1));
    EXPECT_TRUE(matches(drawnScene(black), expected, 0));
    // The newest, drawn last, leaves no pixel; its half size and zero alpha stay on the sprite.
    EXPECT_EQ(explosionSprite.getScale(), sf::Vector2f(0.5f, 0.5f));
    EXPECT_EQ(explosionSprite.getColor(), sf::Color(255, 255, 255, 0));
}

TEST(ExplosionLook, StaysOpaqueAndKeepsGrowingOnTheResultsScreen)
{
    ScratchFolder folder;
    openWithTestPictures(folder);
    phase = GameOver;
    gameOverTime = 10;
    gameTime = 12;
    explosionSprite.setColor(sf::Color::White);
    explosions = {{{100, 100}, 10.0f}, {{100, 400}, 11.75f}};

    sf::Image expected = plain(black);
    paint(expected, sf::IntRect({50, 50}, {100, 100}), sf::Color::White);
    paint(expected, sf::IntRect({85, 385}, {30, 30}), sf::Color::White);
    EXPECT_TRUE(matches(drawnScene(black), expected, 0, sf::IntRect({0, 0}, {150, 600})));
}

TEST(PhaseOverlay, LevelIntroShowsCaptionWhereItStandsAndLevelRightOfCentre)
{
    ScratchFolder folder;
    openWithTestPictures(folder);
    level = 12;
    startLevel();
    squids.clear();

    sf::Image expected = plain(sea);
    paint(expected, sf::IntRect({240, 280}, {120, 40}), levelColour);
    stamp(expected, {{'1', 500, 300}, {'2', 525, 300}});
    EXPECT_TRUE(matches(drawnScene(sea), expected, 0));

    levelSprite.setPosition({200, 450});
    expected = plain(sea);
    paint(expected, sf::IntRect({140, 430}, {120, 40}), levelColour);
    stamp(expected, {{'1', 500, 300}, {'2', 525, 300}});
    EXPECT_TRUE(matches(drawnScene(sea), expected, 0));
}

TEST(PhaseOverlay, PlayingShowsTheWorldAlone)
{
    ScratchFolder folder;
    openWithTestPictures(folder);
    phase = Playing;
    level = 4;
    monstersKilled = 3;
    torpedoesFired = 8;

    EXPECT_TRUE(matches(drawnScene(sea), plain(sea), 0));
}

TEST(PhaseOverlay, PauseDimsTheWholeSceneUnderTwoTranslucentBars)
{
    ScratchFolder folder;
    openWithTestPictures(folder);
    phase = Paused;
    sf::Color grey(200, 200, 200);

    sf::Image expected = plain(grey);
    paint(expected, sf::IntRect({0, 0}, {800, 600}), sf::Color(0, 0, 0, 128));
    paint(expected, sf::IntRect({370, 250}, {20, 100}), sf::Color(255, 255, 255, 200));
    paint(expected, sf::IntRect({410, 250}, {20, 100}), sf::Color(255, 255, 255, 200));
    EXPECT_TRUE(matches(drawnScene(grey), expected, 2));
}

// The captions in their places, all over the swaying caption, and the numbers' glyphs.
static sf::Image resultsWith(const std::vector<Glyph>& numbers)
{
    sf::Image expected = plain(sea);
    paint(expected, sf::IntRect({150, 80}, {500, 440}), gameOverColour);
    paint(expected, sf::IntRect({210, 45}, {80, 30}), scoreColour);
    paint(expected, sf::IntRect({200, 140}, {120, 40}), levelColour);
    paint(expected, sf::IntRect({280, 430}, {100, 20}), killedColour);
    paint(expected, sf::IntRect({230, 510}, {150, 20}), firedColour);
    stamp(expected, numbers);
    return expected;
}

static sf::Image drawnResults(const ScratchFolder& folder, int reached, int killed, int fired)
{
    openWithTestPictures(folder);
    phase = GameOver;
    level = reached;
    monstersKilled = killed;
    torpedoesFired = fired;
    return drawnScene(sea);
}

TEST(PhaseOverlay, ResultsShowNegativeScoreWithItsMinus)
{
    ScratchFolder folder;
    EXPECT_TRUE(matches(drawnResults(folder, 3, 2, 5),
                        resultsWith({{'-', 445, 64}, {'1', 475, 70}, {'3', 450, 170}, {'2', 450, 445}, {'5', 450, 530}}),
                        0));
}

TEST(PhaseOverlay, ResultsShowTwoPointsPerKillLessOnePerShot)
{
    ScratchFolder folder;
    EXPECT_TRUE(matches(drawnResults(folder, 10, 3, 5),
                        resultsWith({{'1', 450, 70}, {'1', 450, 170}, {'0', 475, 170}, {'3', 450, 445}, {'5', 450, 530}}),
                        0));
}

// The view stays 800 x 600 and is stretched over the window, while the centred places follow
// the window's size. A middle measured on the stretched pixels is within half a scene pixel.
TEST(WindowSize, CentredPlacesFollowAResizedWindowWhileTheSceneStretches)
{
    ScratchFolder folder;
    openWithTestPictures(folder);
    window.setSize(sf::Vector2u(1000, 700));
    level = 7;
    levelSprite.setPosition({-200, -200});

    sf::Image intro = drawnScene(sea);
    ASSERT_EQ(intro.getSize(), sf::Vector2u(1000, 700));
    sf::Vector2f digit = sceneMiddle(intro, isStripPixel);
    EXPECT_NEAR(digit.x, 600.5, 0.5);  // the cell spans 588 to 613
    EXPECT_NEAR(digit.y, 350, 0.5);

    phase = GameOver;
    sf::Image results = drawnScene(sea);
    sf::Vector2f caption = sceneMiddle(results, [](sf::Color colour) { return colour == levelColour; });
    EXPECT_NEAR(caption.x, 360, 0.5);
    EXPECT_NEAR(caption.y, 210, 0.5);
}

TEST(WindowSize, OddSizeIsHalvedInWholePixels)
{
    ScratchFolder folder;
    openWithTestPictures(folder);
    window.setSize(sf::Vector2u(801, 601));
    level = 7;

    drawnScene(sea);
    EXPECT_EQ(digitSprite.getPosition(), sf::Vector2f(500, 300));

    phase = GameOver;
    drawnScene(sea);
    EXPECT_EQ(levelSprite.getPosition(), sf::Vector2f(260, 160));
}
