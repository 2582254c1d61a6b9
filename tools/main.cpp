// make_assets TREE: writes each picture and sound into the folder of TREE that ships it: the game's
// res/, the package's icons, Windows' icon file, the web page's icons, touch controls and poster;
// and the contact sheet into docs/.
#include "ico.h"
#include "icon.h"
#include "pictures.h"
#include "sheet.h"
#include "sounds.h"
#include "touch.h"

#include "sfml_compat.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;

namespace {

bool savePictures(const Pictures& pictures, const fs::path& folder)
{
    for (const auto& [name, image] : pictures) {
        if (!image.saveToFile((folder / name).string()))
            return false;
    }
    return true;
}

bool saveSounds(const Sounds& sounds, const fs::path& folder)
{
    for (const auto& [name, pcm] : sounds) {
        sf::SoundBuffer buffer;
        if (!loadSamples(buffer, pcm, 1, sampleRate) ||
            !buffer.saveToFile((folder / name).string()))
            return false;
    }
    return true;
}

// The package's 32-pixel icon is the running window's own, res/icon.png: one file serves both.
fs::path iconPath(const fs::path& tree, const std::string& name)
{
    return name == "icon-32.png" ? tree / "res" / "icon.png" : tree / "packaging" / "icons" / name;
}

bool saveIcons(const Pictures& icons, const fs::path& tree)
{
    for (const auto& [name, image] : icons) {
        if (name != "icon-32.png" && !image.saveToFile(iconPath(tree, name).string()))   // saved with res/
            return false;
    }
    return true;
}

// From the PNGs just written, so Windows gets the very bytes the desktops install.
bool saveWindowsIcon(const Pictures& icons, const fs::path& tree)
{
    std::vector<std::string> pngs;
    for (const auto& entry : icons) {
        std::ifstream in(iconPath(tree, entry.first), std::ios::binary);
        pngs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::ofstream out(tree / "windows" / "grimfathom.ico", std::ios::binary);
    out << iconFile(pngs);
    return bool(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_assets TREE\n";
        return 2;
    }
    // SFML 2's sound buffer needs an OpenAL device even just to be saved; OpenAL Soft's null one
    // will do, so the generator runs on machines with no sound card. A caller's choice still wins.
    // SFML 3, which has no OpenAL, passes the setting by.
    setenv("ALSOFT_DRIVERS", "null", 0);
    fs::path tree = argv[1];
    fs::path res = tree / "res", docs = tree / "docs", web = tree / "web" / "page";
    for (const fs::path& folder : {res, docs, web, tree / "packaging" / "icons", tree / "windows"})
        fs::create_directories(folder);
    Pictures pictures = paintPictures();
    Pictures icons = paintIcons(pictures);
    // The running window's own icon: the badge drawn for small sizes, as title bars show it.
    pictures["icon.png"] = icons.at("icon-32.png");
    if (!savePictures(pictures, res)) {
        std::cerr << "make_assets: cannot write pictures into " << res << "\n";
        return 1;
    }
    if (!saveSounds(synthesizeSounds(), res)) {
        std::cerr << "make_assets: cannot write sounds into " << res << "\n";
        return 1;
    }
    if (!composeSheet(pictures).saveToFile((docs / "sprites.png").string())) {
        std::cerr << "make_assets: cannot write the contact sheet into " << docs << "\n";
        return 1;
    }
    if (!saveIcons(icons, tree) || !saveWindowsIcon(icons, tree)) {
        std::cerr << "make_assets: cannot write the icons into " << tree / "packaging" / "icons" << "\n";
        return 1;
    }
    Pictures page = paintTouchControls();
    page.merge(paintWebIcons(pictures));
    page["poster.png"] = composePoster(pictures);
    if (!savePictures(page, web)) {
        std::cerr << "make_assets: cannot write the web page's pictures into " << web << "\n";
        return 1;
    }
    return 0;
}
