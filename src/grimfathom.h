// Grimfathom's shared state: the records, the phase, every global and every operation.
#pragma once

#include "sfml_compat.h"

#include <map>
#include <ostream>
#include <string>
#include <vector>

//
// Records: every position is the centre of its picture, in scene pixels.
//
struct Squid {
    sf::Vector2f position;
    bool hit;               // struck by a torpedo; erased by the next removal pass
};

struct Torpedo {
    sf::Vector2f position;
    bool hit;               // struck a squid; erased by the next removal pass
};

struct Explosion {
    sf::Vector2f position;
    float startTime;        // gameTime when it went off; its age is gameTime - startTime
};

//
// Phase
//
typedef int GamePhase;
enum { LevelIntro = 0, Playing = 1, Paused = 2, GameOver = 3 };

//
// Scalars
//
extern GamePhase phase;     // current phase; starts in the level intro
extern int level;           // current level, and the number of squids it releases
extern float gameTime;      // seconds of game clock since start-up, in every phase; never reset
extern float gameOverTime;  // gameTime at which the submarine was caught
extern float lastShotTime;  // gameTime of the last torpedo launched
extern int torpedoesFired;  // torpedoes launched in this game
extern int monstersKilled;  // torpedo-squid contacts in this game
extern int nextVoice;       // index into voices of the next sound to play, 0 to 3

//
// Globals in construction order; they are destroyed in reverse, so every sprite goes
// before its texture and every sound before the bank that holds its buffer.
//

// Before any SFML object (globals.cpp says why)
extern std::ostream& sfmlErrors;            // SFML's error stream, touched first so that it outlives them all
#ifdef GRIMFATHOM_X11
extern const bool displayOpen;              // openDisplay() has run: the game has an X connection or has exited
#endif

// Window
extern sf::RenderWindow window;             // the one game window, 800 x 600 scene

// Pictures, loaded once at start-up
extern sf::Texture squidTexture;
extern sf::Texture submarineTexture;        // its size also sets the launch point and the margins
extern sf::Texture torpedoTexture;
extern sf::Texture explosionTexture;
extern sf::Texture gameOverTexture;
extern sf::Texture levelTexture;
extern sf::Texture numbersTexture;          // ten equal cells, digits 0 to 9
extern sf::Texture scoreTexture;
extern sf::Texture torpedoesFiredTexture;
extern sf::Texture monstersKilledTexture;
extern sf::Texture minusTexture;

// Sprites, one per kind of picture, moved to each record as it is drawn
extern sf::Sprite squidSprite;
extern sf::Sprite submarineSprite;          // its position is the submarine's position
extern sf::Sprite torpedoSprite;
extern sf::Sprite explosionSprite;          // scale and colour follow the explosion's age
extern sf::Sprite gameOverSprite;           // sways on the results screen
extern sf::Sprite levelSprite;              // level intro caption, and results-screen caption
extern sf::Sprite digitSprite;              // shows one cell of numbersTexture at a time
extern sf::Sprite scoreSprite;
extern sf::Sprite torpedoesFiredSprite;
extern sf::Sprite monstersKilledSprite;
extern sf::Sprite minusSprite;

// Sound
extern const sf::SoundBuffer noSound;       // empty: what an unbound sound is bound to, as SFML 3 wants one
extern std::map<std::string, sf::SoundBuffer> soundBank;  // decoded sounds by name
extern std::vector<sf::Sound> voices;       // ring of four voices, so effects overlap
extern sf::Sound jingleSound;               // "beepboop", outside the ring so nothing cuts it

// Shapes
extern sf::RectangleShape dimOverlay;       // 800 x 600, darkens the paused scene
extern sf::RectangleShape pauseBarLeft;     // 20 x 100
extern sf::RectangleShape pauseBarRight;    // 20 x 100

// Entity lists, in drawing and collision order
extern std::vector<Torpedo> torpedoes;
extern std::vector<Squid> squids;
extern std::vector<Explosion> explosions;

//
// Shared helpers
//
float distance(sf::Vector2f a, sf::Vector2f b);  // float squares, double root, float result
sf::Vector2f halfSize(sf::Vector2u size);        // whole pixels: halved before conversion

//
// Operations
//

// Start-up (display.cpp where X11 is built in, assets.cpp)
void openDisplay();                 // keeps an X connection for the docks' icon; says so and exits with 1 when none opens
void setDockIcon(const sf::Image& icon);  // the window's _NET_WM_ICON, where docks and task switchers look
void loadWindowIcon();              // the window's icon from "../res/icon.png"
void loadPictures();                // the eleven pictures from "../res/"
void setUpSprites();                // textures, origins, fixed places, pause bars

// Game rules (rules.cpp)
void handleEvent(const sf::Event& event);
void startLevel();
void restartGame();
void update(float dt);
void removeSpent();

// Drawing (drawing.cpp)
void drawScene();
void drawNumber(int value, float x, float y);

// Sound (sound.cpp)
void setUpSounds();                 // sizes the ring, loads the five sounds, binds the jingle
void loadSound(std::string name);
void playSound(std::string name);
