// Draws the world, the overlay of the current phase, and numbers from the digit strip.
#include "grimfathom.h"

#include <cstdint>
#include <cstdlib>

// An explosion grows from half size and fades out over its half second; on the results
// screen it keeps the opaque white set when the submarine was caught, and keeps growing.
static void drawExplosion(const Explosion& explosion)
{
    explosionSprite.setPosition(explosion.position);
    float scale = (gameTime - explosion.startTime) + 0.5f;
    if (phase != GameOver) {
        float alpha = -((scale * 2 - 1) * 255);
        explosionSprite.setColor(sf::Color(255, 255, 255, std::uint8_t(int(alpha))));
    }
    explosionSprite.setScale({scale, scale});
    window.draw(explosionSprite);
}

static void drawWorld()
{
    for (const Squid& squid : squids) {
        squidSprite.setPosition(squid.position);
        window.draw(squidSprite);
    }
    window.draw(submarineSprite);
    for (const Torpedo& torpedo : torpedoes) {
        torpedoSprite.setPosition(torpedo.position);
        window.draw(torpedoSprite);
    }
    for (const Explosion& explosion : explosions)
        drawExplosion(explosion);
}

static void drawLevelIntro()
{
    sf::Vector2f centre = halfSize(window.getSize());
    window.draw(levelSprite);
    drawNumber(level, centre.x + 100, centre.y);
}

static void drawPauseScreen()
{
    dimOverlay.setFillColor(sf::Color(0, 0, 0, 128));
    window.draw(dimOverlay);
    window.draw(pauseBarLeft);
    window.draw(pauseBarRight);
}

static void drawResults()
{
    sf::Vector2f centre = halfSize(window.getSize());
    levelSprite.setPosition({centre.x - 140, centre.y - 140});
    window.draw(gameOverSprite);
    window.draw(scoreSprite);
    window.draw(levelSprite);
    window.draw(monstersKilledSprite);
    window.draw(torpedoesFiredSprite);
    drawNumber(2 * monstersKilled - torpedoesFired, 450, 70);
    drawNumber(level, 450, 170);
    drawNumber(monstersKilled, 450, 445);
    drawNumber(torpedoesFired, 450, 530);
}

void drawScene()
{
    drawWorld();
    if (phase == LevelIntro)
        drawLevelIntro();
    else if (phase == Paused)
        drawPauseScreen();
    else if (phase == GameOver)
        drawResults();
}

static int countDigitsLessOne(int value)
{
    int k = -1;
    do {
        k += 1;
        value /= 10;
    } while (value != 0);
    return k;
}

// Digits are drawn least significant first, each from the magnitude of a remainder, so
// the most negative value is drawn without ever being negated.
void drawNumber(int value, float x, float y)
{
    sf::Vector2u strip = numbersTexture.getSize();
    float cellFraction = float(strip.x) / 10.0f;
    int cell = int(cellFraction);
    int k = countDigitsLessOne(value);
    if (value < 0) {
        minusSprite.setPosition({x - 5, y - 6});
        window.draw(minusSprite);
        k += 1;
    }
    int offset = k * cell;
    do {
        int quotient = value / 10;
        int digit = std::abs(value - 10 * quotient);
        digitSprite.setTextureRect(sf::IntRect({int(float(digit) * cellFraction), 0}, {cell, int(strip.y)}));
        digitSprite.setPosition({x + float(offset), y});
        window.draw(digitSprite);
        offset -= cell;
        value = quotient;
    } while (value != 0);
}
