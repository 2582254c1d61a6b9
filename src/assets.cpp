// Loads the pictures and gives every sprite its texture, origin and fixed place.
#include "grimfathom.h"

void loadPictures()
{
    // A picture that fails to load leaves an empty texture; its sprite then draws nothing.
    squidTexture.loadFromFile("../res/squid.png", sf::IntRect());
    submarineTexture.loadFromFile("../res/submarine.png", sf::IntRect());
    torpedoTexture.loadFromFile("../res/torpedo.png", sf::IntRect());
    explosionTexture.loadFromFile("../res/explosion.png", sf::IntRect());
    gameOverTexture.loadFromFile("../res/gameover.png", sf::IntRect());
    levelTexture.loadFromFile("../res/level.png", sf::IntRect());
    numbersTexture.loadFromFile("../res/numbers.png", sf::IntRect());
    scoreTexture.loadFromFile("../res/score.png", sf::IntRect());
    torpedoesFiredTexture.loadFromFile("../res/torpedosfired.png", sf::IntRect());
    monstersKilledTexture.loadFromFile("../res/monsterskilled.png", sf::IntRect());
    minusTexture.loadFromFile("../res/minus.png", sf::IntRect());
}

static void bindCentred(sf::Sprite& sprite, const sf::Texture& texture)
{
    sprite.setTexture(texture, false);
    sprite.setOrigin(halfSize(texture.getSize()));
}

// The caption extends to the left of its position, leaving the right side to its number.
static void bindRightMiddle(sf::Sprite& sprite, const sf::Texture& texture)
{
    sprite.setTexture(texture, false);
    sprite.setOrigin(float(texture.getSize().x), halfSize(texture.getSize()).y);
}

// The origin is the middle of one digit cell, so a position is where a digit's centre goes.
static void bindDigitCell(sf::Sprite& sprite, const sf::Texture& texture)
{
    sprite.setTexture(texture, false);
    sprite.setOrigin(float(texture.getSize().x / 20), halfSize(texture.getSize()).y);
}

static void setUpPauseBars()
{
    pauseBarLeft.setOrigin(pauseBarLeft.getSize() * 0.5f);
    pauseBarRight.setOrigin(pauseBarRight.getSize() * 0.5f);
    pauseBarLeft.setFillColor(sf::Color(255, 255, 255, 200));
    pauseBarRight.setFillColor(sf::Color(255, 255, 255, 200));
    pauseBarLeft.setPosition(380, 300);
    pauseBarRight.setPosition(420, 300);
}

void setUpSprites()
{
    bindCentred(squidSprite, squidTexture);
    bindCentred(submarineSprite, submarineTexture);
    submarineSprite.setPosition(50, 300);     // where the first game begins
    bindCentred(torpedoSprite, torpedoTexture);
    bindCentred(explosionSprite, explosionTexture);
    bindCentred(gameOverSprite, gameOverTexture);
    bindCentred(levelSprite, levelTexture);
    bindDigitCell(digitSprite, numbersTexture);
    bindCentred(scoreSprite, scoreTexture);
    scoreSprite.setPosition(250, 60);
    bindRightMiddle(torpedoesFiredSprite, torpedoesFiredTexture);
    torpedoesFiredSprite.setPosition(380, 520);
    bindRightMiddle(monstersKilledSprite, monstersKilledTexture);
    monstersKilledSprite.setPosition(380, 440);
    bindCentred(minusSprite, minusTexture);
    setUpPauseBars();
}
