// The Windows zip as a player meets it: unzipped into a scratch folder, its program run under
// Wine, its window read back and driven. `make test-windows` runs this with the zip's path in
// GRIMFATHOM_ZIP and a fresh WINEPREFIX; it is not part of `make test`.
#include "game_session.h"
#include "listening.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

// Wine's drive Z: is the Unix root.
static std::string windowsPath(const fs::path& path)
{
    std::string windows = "Z:" + path.string();
    for (char& c : windows)
        if (c == '/')
            c = '\\';
    return windows;
}

class WindowsZip : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* zip = std::getenv("GRIMFATHOM_ZIP");
        ASSERT_TRUE(zip) << "GRIMFATHOM_ZIP names no zip";
        std::string unzip = "unzip -q '" + std::string(zip) + "' -d '" + session.folder.root.string() + "'";
        ASSERT_EQ(std::system(unzip.c_str()), 0);
    }

    fs::path game() const { return session.folder.root / "Grimfathom"; }

    // Starts the program in its own folder, as Explorer does, with OpenAL Soft writing to
    // session.recording(), and waits for its window; says why there is none. Wine's own
    // messages go to the test's output.
    ::testing::AssertionResult start()
    {
        fs::path conf = session.folder.root / "alsoft.ini";
        std::ofstream(conf) << "[general]\ndrivers=wave\nsample-type=int16\n[wave]\nfile="
                            << windowsPath(session.recording()) << "\n";
        Launch launch;
        launch.environment = {"ALSOFT_CONF=" + windowsPath(conf), "ALSOFT_DRIVERS=wave"};
        launch.wrapper = {"wine"};
        launch.program = "grimfathom.exe";
        session.game = std::make_unique<GameProcess>(game() / "bin", launch);
        auto started = std::chrono::steady_clock::now();
        int status = -1;
        while (!session.window && status == -1 && secondsSince(started) < patience) {
            session.window = findWindow("Grimfathom", 0.5);
            status = session.game->waitForExit(0.05);
        }
        if (!session.window)
            return ::testing::AssertionFailure() << "no window; Wine's exit status " << status;
        focusWindow(session.window);
        return ::testing::AssertionSuccess();
    }

    GameSession session;
};

// Where the left edge of the torpedo's mark is; -1 while there is none.
static int torpedoLeft(const sf::Image& shot)
{
    for (unsigned x = 0; x < shot.getSize().x; x++)
        for (unsigned y = 0; y < shot.getSize().y; y++)
            if (near(pixelAt(shot, x, y), torpedoMark, 6))
                return int(x);
    return -1;
}

TEST_F(WindowsZip, PlaysItsIntroTorpedoAndPewAtSfml2sLevelAndClosesWithZero)
{
    fs::path res = game() / "res";
    markPicture(res, "level.png", levelMark);
    markPicture(res, "submarine.png", submarineMark);
    markPicture(res, "torpedo.png", torpedoMark);
    // Only the torpedo's sound is left, so whatever the recording holds is "pew".
    for (const std::string& sound : gameSounds)
        if (sound != "pew")
            fs::remove(res / (sound + ".wav"));
    sf::Image submarine;
    ASSERT_TRUE(submarine.loadFromFile((res / "submarine.png").string()));
    ASSERT_TRUE(start());
    EXPECT_EQ(windowSize(session.window), sf::Vector2u(800, 600));

    sf::Image intro = session.await([](const sf::Image& shot) {
        return shows(shot, levelMark) && near(pixelAt(shot, 2, 2), sea, 2);
    });
    ASSERT_GT(intro.getSize().x, 0u) << "no level intro on the sea";
    EXPECT_EQ(pixelAt(intro, 50, 300), submarineMark);
    EXPECT_EQ(firstRowOf(intro, submarineMark), 300 - int(submarine.getSize().y / 2));

    tapKey("Return");
    ASSERT_TRUE(session.appears([](const sf::Image& shot) { return !shows(shot, levelMark); }))
        << "a key did not leave the intro";
    // Play's first 0.3 s are too soon to fire: Space until a torpedo shows.
    sf::Image fired = session.await([](const sf::Image& shot) {
        bool flying = torpedoLeft(shot) >= 0;
        if (!flying)
            tapKey("space");
        return flying;
    });
    ASSERT_GT(fired.getSize().x, 0u) << "Space fired no torpedo";
    int firedAt = torpedoLeft(fired);
    EXPECT_TRUE(session.appears([&](const sf::Image& shot) { return torpedoLeft(shot) > firedAt; }))
        << "the torpedo did not fly";

    EXPECT_EQ(session.close(), 0);
    Match pew = hearFile(session.recording(), res / "pew.wav");
    std::cout << "pew at " << pew.decibels << " dB, match " << pew.score << "\n";
    EXPECT_GT(pew.score, 0.9) << "no pew in " << session.recording();
    EXPECT_NEAR(pew.decibels, referenceDecibels, 1.0) << "OpenAL Soft on Windows plays the pew at another level";
}

// What Explorer, the task bar and the Properties dialog read from the program, as icoutils and
// exiftool read it: an icon group with the sizes Windows asks for, and the version information.
TEST_F(WindowsZip, ProgramCarriesItsIconAtEverySizeWindowsAsksForAndItsVersion)
{
    std::string program = (game() / "bin/grimfathom.exe").string();
    fs::path group = session.folder.root / "group.ico";
    ASSERT_EQ(std::system(("wrestool -x --type=14 -o '" + group.string() + "' '" + program + "'").c_str()), 0);
    std::string sizes = commandOutput("icotool -l '" + group.string() + "'");
    for (std::string size : {"16", "32", "48", "256"})
        EXPECT_NE(sizes.find("--width=" + size + " --height=" + size + " "), std::string::npos)
            << size << " px missing from the icon group:\n" << sizes;

    std::map<std::string, std::string> info;
    std::istringstream lines(commandOutput("exiftool -S '" + program + "'"));
    for (std::string line; std::getline(lines, line);)
        if (line.find(": ") != std::string::npos)
            info[line.substr(0, line.find(": "))] = line.substr(line.find(": ") + 2);
    EXPECT_EQ(info["ProductName"], "Grimfathom");
    EXPECT_FALSE(info["FileDescription"].empty());
    EXPECT_EQ(info["FileVersion"], GAME_VERSION);
    EXPECT_EQ(info["ProductVersion"], GAME_VERSION);
    EXPECT_EQ(info["FileVersionNumber"].rfind(GAME_VERSION ".", 0), 0u) << info["FileVersionNumber"];
    EXPECT_EQ(info["OriginalFileName"], "grimfathom.exe");
    std::string licence;   // its copyright line, with the Windows line end the zip gave it
    std::getline(std::ifstream(game() / "LICENSE.txt"), licence);
    EXPECT_EQ(info["LegalCopyright"], licence.substr(0, licence.find('\r')));
}

TEST_F(WindowsZip, WithoutItsPicturesAndSoundsOpensOnTheSeaAndClosesWithZero)
{
    fs::remove_all(game() / "res");
    ASSERT_TRUE(start());
    EXPECT_TRUE(session.appears([](const sf::Image& shot) { return countColour(shot, sea) == 800 * 600; }))
        << "the sea alone did not show";
    EXPECT_EQ(session.close(), 0);
}
