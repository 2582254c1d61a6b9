// What the tests share: scratch resource folders, the game's state reset, window read-back,
// and the built game started as a separate process.
#pragma once

#include "grimfathom.h"
#include "sfml_compat_tools.h"

#include <sys/types.h>

#include <ostream>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The longest any test waits for the real game to show or say what it checks, in seconds; the
// shell and browser tests read the same file, tests/patience-seconds. Each wait ends as soon as
// the state comes, so only a failing test waits this long; a loaded machine can hold a frame
// back for seconds.
const double patience = PATIENCE_SECONDS;

// What the game reads from "../res/": its eleven pictures and its window's icon, and its five
// sounds by name, each read from NAME.wav.
const std::vector<std::string> gamePictures = {
    "squid.png", "submarine.png", "torpedo.png", "explosion.png", "gameover.png", "level.png",
    "numbers.png", "score.png", "torpedosfired.png", "monsterskilled.png", "minus.png", "icon.png"};
const std::vector<std::string> gameSounds = {"splash", "explosion", "gameover", "pew", "beepboop"};

// The torpedo leaves this far ahead of the submarine's centre, on its centre line.
inline float launchOffset(unsigned submarineWidth) { return float(submarineWidth) - 10; }

// The number strip holds the digits 0 to 9 in ten equal cells, each a tenth of the strip's
// width in whole pixels from a fractional start, so a strip of 255 has cells of 25 from 0, 25, 51...
sf::IntRect digitCell(sf::Vector2u strip, int digit);

// A folder with res/ and run/ side by side; the process works in run/ while it lives,
// so the game's "../res/" is the scratch res/.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    std::filesystem::path root;
    std::filesystem::path res() const { return root / "res"; }
    std::filesystem::path run() const { return root / "run"; }
    void copyGameResources() const;     // the real pictures and sounds
private:
    std::filesystem::path previous;
};

void writePicture(const std::filesystem::path& path, unsigned width, unsigned height, sf::Color colour);

// What a shell command prints on its standard output.
std::string commandOutput(const std::string& command);

// The globals as they stand before start-up, with the lists emptied.
void resetGame();

// Opens the game window at 800 x 600 and sets up pictures and sounds from "../res/".
void openGameWindow();


// How the game is started, beyond its working folder; each field is set by name.
struct Launch {
    std::vector<std::string> environment;   // NAME=value settings added
    std::vector<std::string> unset;         // names taken out of the environment
    std::vector<std::string> wrapper;       // a command the game runs under, valgrind say
    std::filesystem::path errors;           // a file for its standard error, if not shared
    std::string program = GAME_BINARY;      // by path, or by name through PATH; the built game unless set
};

// The built game, started in its own process from a working folder; throws if it cannot start.
// Without a device of its own choosing, its sound goes to the silent one tests/with-display.sh sets.
class GameProcess {
public:
    GameProcess(const std::filesystem::path& workingFolder, const Launch& launch = Launch());
    ~GameProcess();
    int waitForExit(double timeoutSeconds);  // exit status; -1 if it did not end in time, -2 on a signal
    pid_t pid;
};

// The colour the game clears each frame to.
const sf::Color sea(20, 102, 126);

// Whether each of red, green and blue is within tolerance; alpha is not compared.
bool near(sf::Color a, sf::Color b, int tolerance);

// Pixels of image within tolerance of colour, in the rectangle [x0, x1) x [y0, y1).
int countPixels(const sf::Image& image, sf::Color colour, int tolerance,
                unsigned x0, unsigned y0, unsigned x1, unsigned y1);

// The mean of the centres of the pixels the check picks, given each one's centre and colour;
// nothing if it picks none.
std::optional<sf::Vector2f> middleOf(const sf::Image& image,
                                     const std::function<bool(sf::Vector2f centre, sf::Color colour)>& picks);

// Readable failure messages for the game's vectors.
namespace sf {
inline void PrintTo(const Vector2f& v, std::ostream* out) { *out << "(" << v.x << ", " << v.y << ")"; }
inline void PrintTo(const Vector2u& v, std::ostream* out) { *out << "(" << v.x << ", " << v.y << ")"; }
inline void PrintTo(const Color& c, std::ostream* out)
{
    *out << "rgba(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}
}
