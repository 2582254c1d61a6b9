// The .deb that `make package` builds, as a player receives it: its control fields, Debian's
// games layout, and the game started through its launcher from folders that have nothing to do
// with it. Debian's CI runs all but the control fields on the installed package
// (debian/tests/smoke), naming the root it is installed under in GRIMFATHOM_INSTALLED_ROOT.
#include "game_session.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The game's own .deb among what dpkg-buildpackage leaves (its debug symbols come separately).
fs::path packageFile()
{
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(PACKAGE_FOLDER))
        if (entry.path().extension() == ".deb" && entry.path().filename().string().rfind("grimfathom_", 0) == 0)
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

// The root the package's files are under, as dpkg lays them out under /: the installed system's,
// or else the .deb unpacked into the folder. Empty if the .deb would not unpack.
fs::path packageRoot(const ScratchFolder& folder)
{
    if (const char* installed = std::getenv("GRIMFATHOM_INSTALLED_ROOT"))
        return installed;
    fs::path root = folder.root / "root";
    bool unpacked = !packageFile().empty() &&
        std::system(("dpkg-deb -x '" + packageFile().string() + "' '" + root.string() + "'").c_str()) == 0;
    return unpacked ? root : fs::path();
}

struct UnpackedPackage {
    ScratchFolder folder;
    fs::path root = packageRoot(folder);
    fs::path usr = root / "usr";
    bool unpacked = !root.empty();
};

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
            sf::Color texel = pixelAt(picture, u, v);
            if (texel.a < 240)
                continue;
            opaque += 1;
            sf::Color pixel = pixelAt(shot, unsigned(left) + u, unsigned(top) + v);
            if (std::abs(pixel.r - texel.r) + std::abs(pixel.g - texel.g) + std::abs(pixel.b - texel.b) <= 24)
                shown += 1;
        }
    return opaque > 0 && shown >= opaque * 9 / 10;
}

// Starts the unpacked launcher as a player would, by path or by name through PATH, from the
// session's run/ folder; the session's own copy of the pictures is removed first, so that only
// a launcher that changes to the program's folder shows any. Expects the level intro, pictures
// and all, in a window the desktop entry claims as its own, then a clean exit on a window
// manager's close request.
void expectIntroThenCleanExit(GameSession& session, const fs::path& root, const std::string& command,
                              const std::string& path)
{
    fs::remove_all(session.res());
    Launch launch;
    launch.environment = {"PATH=" + path};
    launch.program = command;
    ASSERT_TRUE(session.start(launch)) << "no window appeared";
    sf::Image shot = session.shot();
    EXPECT_EQ(pixelAt(shot, 5, 5), sea);
    EXPECT_TRUE(showsPicture(shot, fs::path(GAME_RES) / "submarine.png", 50, 300)) << "submarine missing";
    EXPECT_TRUE(showsPicture(shot, fs::path(GAME_RES) / "level.png", 300, 300)) << "level caption missing";
    // Docks tie a window to its launcher by this, else the running game shows up apart from it.
    std::map<std::string, std::string> entry = desktopEntry(root / "usr/share/applications/" APP_ID ".desktop");
    std::string windowClassName = windowClass(session.window);
    EXPECT_FALSE(windowClassName.empty()) << "the window has no WM_CLASS";
    EXPECT_EQ(entry["StartupWMClass"], windowClassName);
    EXPECT_EQ(session.close(), 0);
}

} // namespace

TEST(Package, DeclaresTheSfmlRuntimeAndFilesItselfUnderGames)
{
    ASSERT_FALSE(packageFile().empty()) << "expected one grimfathom_*.deb in " << PACKAGE_FOLDER;
    EXPECT_EQ(controlField("Package"), "grimfathom");
    EXPECT_EQ(controlField("Section"), "games");
    EXPECT_NE(controlField("Maintainer").find('@'), std::string::npos);
    EXPECT_FALSE(controlField("Description").empty());
    // The SFML the game was built with, named by its version as Debian names its libraries:
    // libsfml-audio2.5 on Debian 12, 2.6 on Debian 13, 3.1 on the next.
    std::string depends = controlField("Depends");
    std::string version = std::to_string(SFML_VERSION_MAJOR) + "\\." + std::to_string(SFML_VERSION_MINOR);
    for (const char* module : {"graphics", "window", "audio", "system"})
        EXPECT_TRUE(std::regex_search(depends, std::regex(std::string("libsfml-") + module + version + "\\b")))
            << module << " " << version << " not in: " << depends;
}

TEST(Package, PutsTheProgramBesideAllItsPicturesAndSoundsWithALauncherAndManualForGames)
{
    UnpackedPackage package;
    ASSERT_TRUE(package.unpacked);
    fs::path launcher = package.usr / "games/grimfathom";
    EXPECT_TRUE(isExecutable(launcher));
    EXPECT_EQ(fileBytes(launcher).rfind("#!/bin/sh\n", 0), 0u);
    fs::path program = package.usr / "lib/games/grimfathom/bin/grimfathom";
    EXPECT_TRUE(isExecutable(program));
    EXPECT_EQ(fileBytes(program).rfind("\x7f" "ELF", 0), 0u);
    EXPECT_TRUE(fs::is_regular_file(package.usr / "share/man/man6/grimfathom.6.gz"));

    // The pictures and sounds live with the shared data, and the program reaches them as ../res/.
    fs::path res = package.usr / "lib/games/grimfathom/res";
    ASSERT_TRUE(fs::is_symlink(res));
    EXPECT_EQ(fs::canonical(res), fs::canonical(package.usr / "share/games/grimfathom"));
    std::vector<std::string> files = gamePictures;
    for (const std::string& sound : gameSounds)
        files.push_back(sound + ".wav");
    for (const std::string& name : files)
        EXPECT_EQ(fileBytes(res / name), fileBytes(fs::path(GAME_RES) / name)) << name;
    EXPECT_EQ(std::distance(fs::directory_iterator(res), fs::directory_iterator()), std::ptrdiff_t(files.size()));
}

TEST(Package, DesktopEntryAndSoftwareCentreEntryNameEachOtherTheLauncherAndItsIcons)
{
    UnpackedPackage package;
    ASSERT_TRUE(package.unpacked);
    std::string metainfo = fileBytes(package.usr / "share/metainfo/" APP_ID ".metainfo.xml");
    EXPECT_NE(metainfo.find("<id>" APP_ID "</id>"), std::string::npos);
    EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" APP_ID ".desktop</launchable>"), std::string::npos);

    std::map<std::string, std::string> entry = desktopEntry(package.usr / "share/applications/" APP_ID ".desktop");
    EXPECT_EQ(entry["Type"], "Application");
    EXPECT_EQ(entry["Name"], "Grimfathom");
    EXPECT_EQ(entry["Exec"], "/usr/games/grimfathom");
    EXPECT_EQ(entry["Path"], "/usr/lib/games/grimfathom/bin");
    EXPECT_TRUE(fs::exists(package.root / entry["Path"].substr(1) / "../res/squid.png"));
    EXPECT_NE((";" + entry["Categories"]).find(";Game;"), std::string::npos) << entry["Categories"];
    EXPECT_NE((";" + entry["Categories"]).find(";ArcadeGame;"), std::string::npos) << entry["Categories"];
    EXPECT_EQ(entry["Icon"], "grimfathom");

    for (unsigned size : {16u, 32u, 48u, 64u, 128u, 256u}) {
        std::string folder = std::to_string(size) + "x" + std::to_string(size);
        sf::Image icon;
        ASSERT_TRUE(icon.loadFromFile((package.usr / "share/icons/hicolor" / folder / "apps/grimfathom.png").string()));
        EXPECT_EQ(icon.getSize(), sf::Vector2u(size, size));
        EXPECT_EQ(pixelAt(icon, 0, 0).a, 0) << "corners are see-through";
        EXPECT_EQ(pixelAt(icon, size / 2, size / 2).a, 255);
    }
}

TEST(Package, LauncherStartsTheGameWithItsPicturesFromAnUnrelatedFolder)
{
    GameSession session;
    fs::path root = packageRoot(session.folder);
    ASSERT_FALSE(root.empty());
    expectIntroThenCleanExit(session, root, (root / "usr/games/grimfathom").string(), "/usr/bin:/bin");
}

// As on a system whose /usr/games is reached through a link, or a player's own folder of links.
TEST(Package, LauncherFoundByNameThroughASymlinkedFolderStillFindsThePictures)
{
    GameSession session;
    fs::path root = packageRoot(session.folder);
    ASSERT_FALSE(root.empty());
    fs::path links = session.folder.root / "links";
    fs::create_directory_symlink(root / "usr/games", links);
    expectIntroThenCleanExit(session, root, "grimfathom", links.string() + ":/usr/bin:/bin");
}
