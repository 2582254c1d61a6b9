// make_assets RES_DIR DOCS_DIR: writes the game's pictures and sounds, the contact sheet, the icons,
// the Windows icon file, and the web page's icons, touch controls and poster.
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

// From the PNGs just written, so Windows gets the very bytes the desktops install.
bool saveWindowsIcon(const Pictures& icons, const fs::path& folder)
{
    std::vector<std::string> pngs;
    for (const auto& entry : icons) {
        std::ifstream in(folder / entry.first, std::ios::binary);
        pngs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::ofstream out(folder / "grimfathom.ico", std::ios::binary);
    out << iconFile(pngs);
    return bool(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_assets RES_DIR DOCS_DIR\n";
        return 2;
    }
    // A sound buffer needs an OpenAL device even just to be saved; the null one will do,
    // so the generator runs on machines with no sound card. A caller's choice still wins.
    setenv("ALSOFT_DRIVERS", "null", 0);
    fs::path res = argv[1];
    fs::path docs = argv[2];
    fs::create_directories(res);
    fs::create_directories(docs);
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
    if (!savePictures(icons, docs) || !saveWindowsIcon(icons, docs)) {
        std::cerr << "make_assets: cannot write the icons into " << docs << "\n";
        return 1;
    }
    Pictures page = paintTouchControls();
    page.merge(paintWebIcons(pictures));
    page["poster.png"] = composePoster(pictures);
    if (!savePictures(page, docs)) {
        std::cerr << "make_assets: cannot write the web page's pictures into " << docs << "\n";
        return 1;
    }
    return 0;
}
