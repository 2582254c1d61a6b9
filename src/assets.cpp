// Loads the pictures and gives every sprite its texture, origin and fixed place.
#include "grimfathom.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

static std::uint32_t bigEndian(const unsigned char bytes[4])
{
    return std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8 | std::uint32_t(bytes[3]);
}

// Whether every chunk of the PNG fits in the file: SFML's decoder reserves whatever an image
// data chunk claims, up to 2 GB, before it finds the file ending. A file that ends before its
// last chunk is left for the decoder to turn away.
static bool chunksFitIn(std::ifstream& file, std::uintmax_t fileSize)
{
    unsigned char chunk[8];     // length, type; then the data and a 4-byte checksum
    file.seekg(8);
    while (file.read(reinterpret_cast<char*>(chunk), sizeof chunk)) {
        std::uintmax_t end = std::uintmax_t(file.tellg()) + bigEndian(chunk) + 4;
        if (end > fileSize)
            return false;
        if (std::memcmp(chunk + 4, "IEND", 4) == 0)
            return true;
        file.seekg(std::streamoff(end));
    }
    return true;
}

// Our pictures are PNGs a few hundred pixels wide. SFML's reader goes by the bytes, not the name,
// and on damaged JPEG or HDR bytes it aborts or never returns; a PNG that claims a huge picture
// costs seconds and gigabytes before it fails. So SFML sees only a plain file (opening a named
// pipe would block) that starts as a PNG whose header, always the first chunk, claims at most
// 4096 pixels a side, and whose chunks fit in the file.
static bool decodablePicture(const std::string& path)
{
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::error_code unreadable;
    if (!std::filesystem::is_regular_file(path, unreadable))
        return false;
    std::ifstream file(path, std::ios::binary);
    unsigned char start[24];    // signature, header length and type, width, height
    if (!file.read(reinterpret_cast<char*>(start), sizeof start))
        return false;
    return std::memcmp(start, signature, 8) == 0 && std::memcmp(start + 12, "IHDR", 4) == 0
        && bigEndian(start + 16) <= 4096 && bigEndian(start + 20) <= 4096
        && chunksFitIn(file, std::filesystem::file_size(path, unreadable));
}

// A picture that cannot be read leaves an empty texture; its sprite then draws nothing.
static void loadPicture(sf::Texture& texture, const std::string& name)
{
    std::string path = "../res/" + name;
    if (decodablePicture(path))
        (void)texture.loadFromFile(path);
}

// Window managers without the game's desktop entry, and Windows, show this icon for the running
// window; without a readable picture the window keeps the system's own.
void loadWindowIcon()
{
    std::string path = "../res/icon.png";
    sf::Image icon;
    if (!decodablePicture(path) || !icon.loadFromFile(path))
        return;
    setWindowIcon(window, icon);
#ifdef GRIMFATHOM_X11
    setDockIcon(icon);
#endif
}

void loadPictures()
{
    loadPicture(squidTexture, "squid.png");
    loadPicture(submarineTexture, "submarine.png");
    loadPicture(torpedoTexture, "torpedo.png");
    loadPicture(explosionTexture, "explosion.png");
    loadPicture(gameOverTexture, "gameover.png");
    loadPicture(levelTexture, "level.png");
    loadPicture(numbersTexture, "numbers.png");
    loadPicture(scoreTexture, "score.png");
    loadPicture(torpedoesFiredTexture, "torpedosfired.png");
    loadPicture(monstersKilledTexture, "monsterskilled.png");
    loadPicture(minusTexture, "minus.png");
}

// Each sprite was made on its texture while that was still empty: binding again takes the size
// of the picture since loaded.
static void bindCentred(sf::Sprite& sprite, const sf::Texture& texture)
{
    sprite.setTexture(texture, true);
    sprite.setOrigin(halfSize(texture.getSize()));
}

// The caption extends to the left of its position, leaving the right side to its number.
static void bindRightMiddle(sf::Sprite& sprite, const sf::Texture& texture)
{
    sprite.setTexture(texture, true);
    sprite.setOrigin({float(texture.getSize().x), halfSize(texture.getSize()).y});
}

// The origin is the middle of one digit cell, so a position is where a digit's centre goes.
static void bindDigitCell(sf::Sprite& sprite, const sf::Texture& texture)
{
    sprite.setTexture(texture, true);
    sprite.setOrigin({float(texture.getSize().x / 20), halfSize(texture.getSize()).y});
}

static void setUpPauseBars()
{
    pauseBarLeft.setOrigin(pauseBarLeft.getSize() * 0.5f);
    pauseBarRight.setOrigin(pauseBarRight.getSize() * 0.5f);
    pauseBarLeft.setFillColor(sf::Color(255, 255, 255, 200));
    pauseBarRight.setFillColor(sf::Color(255, 255, 255, 200));
    pauseBarLeft.setPosition({380, 300});
    pauseBarRight.setPosition({420, 300});
}

void setUpSprites()
{
    bindCentred(squidSprite, squidTexture);
    bindCentred(submarineSprite, submarineTexture);
    submarineSprite.setPosition({50, 300});     // where the first game begins
    bindCentred(torpedoSprite, torpedoTexture);
    bindCentred(explosionSprite, explosionTexture);
    bindCentred(gameOverSprite, gameOverTexture);
    bindCentred(levelSprite, levelTexture);
    bindDigitCell(digitSprite, numbersTexture);
    bindCentred(scoreSprite, scoreTexture);
    scoreSprite.setPosition({250, 60});
    bindRightMiddle(torpedoesFiredSprite, torpedoesFiredTexture);
    torpedoesFiredSprite.setPosition({380, 520});
    bindRightMiddle(monstersKilledSprite, monstersKilledTexture);
    monstersKilledSprite.setPosition({380, 440});
    bindCentred(minusSprite, minusTexture);
    setUpPauseBars();
}
