// Started where there is no X display, the game says so in one line and fails without a core dump.
#include "support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

static std::vector<std::string> linesOf(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

TEST(NoDisplay, OneLineSaysADisplayIsNeededAndTheExitIsAFailureNotASignal)
{
    ScratchFolder folder;
    folder.copyGameResources();
    std::filesystem::path errors = folder.root / "errors.txt";
    for (const char* where : {"DISPLAY unset", "DISPLAY=:97"}) {     // no server at :97
        Launch launch;
        launch.errors = errors;
        if (where == std::string("DISPLAY unset"))
            launch.unset = {"DISPLAY"};
        else
            launch.environment = {where};
        GameProcess game(folder.run(), launch);
        int status = game.waitForExit(20);
        EXPECT_GT(status, 0) << where << ": -1 is a hang, -2 a signal";
        std::vector<std::string> lines = linesOf(errors);
        ASSERT_EQ(lines.size(), 1u) << where;
        EXPECT_NE(lines[0].find("needs a graphical display"), std::string::npos) << lines[0];
    }
}
