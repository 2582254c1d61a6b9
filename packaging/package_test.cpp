// The .deb as a player receives it: its control fields, what it lays out, and the game started
// through its launcher from folders that have nothing to do with it.
#include "support.h"
#include "xdriver.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

const sf::Color sea(20, 102, 126);

std::string commandOutput(const std::string& command)
{
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return text;
    char chunk[4096];
    while (std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe))
        text.append(chunk, n);
    pclose(pipe);
    return text;
}

// The package-building step before these tests leaves exactly one .deb behind.
fs::path packageFile()
{
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(PACKAGE_FOLDER))
        if (entry.path().extension() == ".deb")
            found.push_back(entry.path());
    return found.size() == 1 ? found.front() : fs::path();
}

std::string controlField(const std::string& name)
{
    std::string value = commandOutput("dpkg-deb -f '" + packageFile().string() + "' " + name);
    while (!value.empty() && value.back() == '\n')
        value.pop_back();
    return value;
}

std::string fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isExecutable(const fs::path& path)
{
    return access(path.c_str(), X_OK) == 0 && fs::is_regular_file(path);
}

// Key=value lines of the [Desktop Entry] group.
std::map<std::string, std::string> desktopEntry(const fs::path& path)
{
    std::map<std::string, std::string> keys;
    std::istringstream lines(fileBytes(path));
    std::string line;
    bool inGroup = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.front() == '[')
            inGroup = line == "[Desktop Entry]";
        else if (inGroup && line.find('=') != std::string::npos)
            keys[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
    return keys;
}

// A scratch root holding the unpacked package, as dpkg would lay it out under /. The working
// folder is the scratch run/, whose ../res/ is empty: a launcher that forgot to change folder
// would start a game without pictures.
struct UnpackedPackage {
    ScratchFolder folder;
    fs::path root = folder.root / "root";
    fs::path usr = root / "usr";
    bool unpacked = !packageFile().empty() &&
                    std::system(("dpkg-deb -x '" + packageFile().string() + "' '" + root.string() + "'").c_str()) == 0;
};

// A launcher started as a player would: by path or by name through PATH, from a chosen folder.
struct LaunchedGame {
    pid_t pid = -1;

    LaunchedGame(const std::string& command, const fs::path& workingFolder, const std::string& path)
    {
        pid = fork();
        if (pid == 0) {
            fs::current_path(workingFolder);
            setenv("PATH", path.c_str(), 1);
            execlp(command.c_str(), command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    ~LaunchedGame()
    {
        if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }

    int waitForExit(double seconds)
    {
        int status = 0;
        for (int tries = 0; tries < int(seconds * 50); tries++) {
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }
};

sf::Image firstFrame(unsigned long id)
{
    sf::Image shot = screenshot(id);
    for (int tries = 0; tries < 100 && shot.getPixel(5, 5) == sf::Color::Black; tries++) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        shot = screenshot(id);
    }
    return shot;
}

// Whether at least nine in ten opaque pixels of the picture show, centred at (x, y).
bool showsPicture(const sf::Image& shot, const fs::path& picturePath, int x, int y)
{
    sf::Image picture;
    if (!picture.loadFromFile(picturePath.string()))
        return false;
    sf::Vector2u size = picture.getSize();
    int left = x - int(size.x / 2), top = y - int(size.y / 2), opaque = 0, shown = 0;
    for (unsigned v = 0; v < size.y; v++)
        for (unsigned u = 0; u < size.x; u++) {
            sf::Color texel = picture.getPixel(u, v);
            if (texel.a < 240)
                continue;
            opaque += 1;
            sf::Color pixel = shot.getPixel(unsigned(left) + u, unsigned(top) + v);
            if (std::abs(pixel.r - texel.r) + std::abs(pixel.g - texel.g) + std::abs(pixel.b - texel.b) <= 24)
                shown += 1;
        }
    return opaque > 0 && shown >= opaque * 9 / 10;
}

// The level intro, pictures and all, then a window manager's close request.
void expectIntroThenCleanExit(LaunchedGame& game)
{
    unsigned long id = findWindow("Grimfathom", 10);
    ASSERT_NE(id, 0u) << "no window appeared";
    sf::Image shot = firstFrame(id);
    EXPECT_EQ(shot.getPixel(5, 5), sea);
    EXPECT_TRUE(showsPicture(shot, fs::path(GAME_RES) / "submarine.png", 50, 300)) << "submarine missing";
    EXPECT_TRUE(showsPicture(shot, fs::path(GAME_RES) / "level.png", 300, 300)) << "level caption missing";
    closeWindow(id);
    EXPECT_EQ(game.waitForExit(5), 0);
}

} // namespace

TEST(Package, DeclaresTheSfmlRuntimeAndFilesItselfUnderGames)
{
    ASSERT_FALSE(packageFile().empty()) << "expected one .deb in " << PACKAGE_FOLDER;
    EXPECT_EQ(controlField("Package"), "grimfathom");
    EXPECT_EQ(controlField("Section"), "games");
    EXPECT_NE(controlField("Maintainer").find('@'), std::string::npos);
    EXPECT_FALSE(controlField("Description").empty());
    std::string depends = controlField("Depends");
    for (const char* library : {"libsfml-graphics2.5", "libsfml-window2.5", "libsfml-audio2.5", "libsfml-system2.5"})
        EXPECT_NE(depends.find(library), std::string::npos) << library << " not in: " << depends;
}

TEST(Package, PutsTheProgramBesideAllItsPicturesAndSoundsWithALauncherOnThePath)
{
    UnpackedPackage package;
    ASSERT_TRUE(package.unpacked);
    fs::path launcher = package.usr / "bin/grimfathom";
    EXPECT_TRUE(isExecutable(launcher));
    EXPECT_EQ(fileBytes(launcher).rfind("#!/bin/sh\n", 0), 0u);
    fs::path program = package.usr / "lib/grimfathom/bin/grimfathom";
    EXPECT_TRUE(isExecutable(program));
    EXPECT_EQ(fileBytes(program).rfind("\x7f" "ELF", 0), 0u);

    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(GAME_RES)) {
        fs::path installed = package.usr / "lib/grimfathom/res" / entry.path().filename();
        EXPECT_EQ(fileBytes(installed), fileBytes(entry.path())) << installed;
        count += 1;
    }
    EXPECT_EQ(count, 16);
    EXPECT_EQ(std::distance(fs::directory_iterator(package.usr / "lib/grimfathom/res"), fs::directory_iterator()), 16);
}

TEST(Package, DesktopEntryStartsTheLauncherInTheProgramsFolderAndNamesItsIcons)
{
    UnpackedPackage package;
    ASSERT_TRUE(package.unpacked);
    std::map<std::string, std::string> entry = desktopEntry(package.usr / "share/applications/grimfathom.desktop");
    EXPECT_EQ(entry["Type"], "Application");
    EXPECT_EQ(entry["Name"], "Grimfathom");
    EXPECT_EQ(entry["Exec"], "/usr/bin/grimfathom");
    EXPECT_EQ(entry["Path"], "/usr/lib/grimfathom/bin");
    EXPECT_TRUE(fs::exists(package.root / entry["Path"].substr(1) / "../res/squid.png"));
    EXPECT_NE((";" + entry["Categories"]).find(";Game;"), std::string::npos) << entry["Categories"];
    EXPECT_NE((";" + entry["Categories"]).find(";ArcadeGame;"), std::string::npos) << entry["Categories"];
    EXPECT_EQ(entry["Icon"], "grimfathom");

    for (unsigned size : {64u, 128u}) {
        std::string folder = std::to_string(size) + "x" + std::to_string(size);
        sf::Image icon;
        ASSERT_TRUE(icon.loadFromFile((package.usr / "share/icons/hicolor" / folder / "apps/grimfathom.png").string()));
        EXPECT_EQ(icon.getSize(), sf::Vector2u(size, size));
        EXPECT_EQ(icon.getPixel(0, 0).a, 0) << "corners are see-through";
        EXPECT_EQ(icon.getPixel(size / 2, size / 2).a, 255);
    }
}

TEST(Package, LauncherStartsTheGameWithItsPicturesFromAnUnrelatedFolder)
{
    UnpackedPackage package;
    ASSERT_TRUE(package.unpacked);
    LaunchedGame game((package.usr / "bin/grimfathom").string(), package.folder.run(), "/usr/bin:/bin");
    expectIntroThenCleanExit(game);
}

// As on a system whose /bin is a link to /usr/bin, or a player's own folder of links.
TEST(Package, LauncherFoundByNameThroughASymlinkedFolderStillFindsThePictures)
{
    UnpackedPackage package;
    ASSERT_TRUE(package.unpacked);
    fs::path links = package.folder.root / "links";
    fs::create_directory_symlink(package.usr / "bin", links);
    fs::path elsewhere = package.folder.root / "elsewhere";
    fs::create_directory(elsewhere);
    LaunchedGame game("grimfathom", elsewhere, links.string() + ":/usr/bin:/bin");
    expectIntroThenCleanExit(game);
}
