// What the tests share: scratch resource folders, the game's state reset, window read-back,
// and the built game started as a separate process.
#pragma once

#include "grimfathom.h"

#include <sys/types.h>

#include <ostream>

#include <filesystem>
#include <string>
#include <vector>

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

// The globals as they stand before start-up, with the lists emptied.
void resetGame();

// Opens the game window at 800 x 600 and sets up pictures and sounds from "../res/".
void openGameWindow();

// What has been drawn since the last clear, read back before display.
sf::Image readBack();

// How the game is started, beyond its working folder.
struct Launch {
    std::vector<std::string> environment;   // NAME=value settings added
    std::vector<std::string> unset;         // names taken out of the environment
    std::vector<std::string> wrapper;       // a command the game runs under, valgrind say
    std::filesystem::path errors;           // a file for its standard error, if not shared
};

// The built game, started in its own process from a working folder.
class GameProcess {
public:
    GameProcess(const std::filesystem::path& workingFolder, std::vector<std::string> environment = {});
    GameProcess(const std::filesystem::path& workingFolder, const Launch& launch);
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

// Readable failure messages for the game's vectors.
namespace sf {
inline void PrintTo(const Vector2f& v, std::ostream* out) { *out << "(" << v.x << ", " << v.y << ")"; }
inline void PrintTo(const Vector2u& v, std::ostream* out) { *out << "(" << v.x << ", " << v.y << ")"; }
inline void PrintTo(const Color& c, std::ostream* out)
{
    *out << "rgba(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}
}
