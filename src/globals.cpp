// Defines every global of the game, in the order in which they must be constructed.
#include "grimfathom.h"

#include <SFML/System/Err.hpp>

GamePhase phase = LevelIntro;
int level = 1;
float gameTime = 0;
float gameOverTime = 0;
float lastShotTime = 0;
int torpedoesFired = 0;
int monstersKilled = 0;
int nextVoice = 0;

// SFML's error stream is a function-local static. Touching it before the first SFML
// object makes it outlive them all: without an audio device, the last sound's
// destructor logs through it at exit, and it must not have been destroyed by then.
std::ostream& sfmlErrors = sf::err();

// Without a display SFML aborts with a core dump while constructing the window; the player
// gets one plain line instead. Only X11 has a display to miss.
#ifdef GRIMFATHOM_X11
const bool displayOpen = (openDisplay(), true);
#endif

sf::RenderWindow window;

sf::Texture squidTexture;
sf::Texture submarineTexture;
sf::Texture torpedoTexture;
sf::Texture explosionTexture;
sf::Texture gameOverTexture;
sf::Texture levelTexture;
sf::Texture numbersTexture;
sf::Texture scoreTexture;
sf::Texture torpedoesFiredTexture;
sf::Texture monstersKilledTexture;
sf::Texture minusTexture;

sf::Sprite squidSprite(squidTexture);
sf::Sprite submarineSprite(submarineTexture);
sf::Sprite torpedoSprite(torpedoTexture);
sf::Sprite explosionSprite(explosionTexture);
sf::Sprite gameOverSprite(gameOverTexture);
sf::Sprite levelSprite(levelTexture);
sf::Sprite digitSprite(numbersTexture);
sf::Sprite scoreSprite(scoreTexture);
sf::Sprite torpedoesFiredSprite(torpedoesFiredTexture);
sf::Sprite monstersKilledSprite(monstersKilledTexture);
sf::Sprite minusSprite(minusTexture);

const sf::SoundBuffer noSound;
std::map<std::string, sf::SoundBuffer> soundBank;
std::vector<sf::Sound> voices;
sf::Sound jingleSound = unboundSound(noSound);

sf::RectangleShape dimOverlay(sf::Vector2f(800, 600));
sf::RectangleShape pauseBarLeft(sf::Vector2f(20, 100));
sf::RectangleShape pauseBarRight(sf::Vector2f(20, 100));

std::vector<Torpedo> torpedoes;
std::vector<Squid> squids;
std::vector<Explosion> explosions;
