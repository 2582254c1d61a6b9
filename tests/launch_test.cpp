// How the tests start a program: the environment it gets, its folder, its errors file, the
// wrapper it runs under and how a bare name is found.
#include "support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

static std::string contentsOf(const fs::path& path)
{
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A script in a folder of its own, found only through the PATH the launch gives and started
// there, not in the test's run/: it writes its folder and environment to report.txt beside it,
// a line to its standard error, and exits 3.
TEST(Launch, ProgramGetsTheSettingsLaterWinningLessTheUnsetInItsFolderWithItsErrorsInTheFile)
{
    ScratchFolder folder;
    fs::path bin = folder.root / "bin", errors = folder.root / "errors.txt";
    fs::create_directory(bin);
    std::ofstream(bin / "report") << "#!/bin/sh\n{ pwd; env; } >../report.txt\necho complaint >&2\nexit 3\n";
    fs::permissions(bin / "report", fs::perms::owner_all);
    setenv("GRIMFATHOM_KEPT", "kept", 1);
    setenv("GRIMFATHOM_GONE", "gone", 1);
    Launch launch;
    launch.environment = {"GRIMFATHOM_SET=first", "PATH=" + bin.string() + ":/usr/bin:/bin", "GRIMFATHOM_SET=second"};
    launch.unset = {"GRIMFATHOM_GONE"};
    launch.wrapper = {"env", "GRIMFATHOM_WRAPPED=yes"};
    launch.errors = errors;
    launch.program = "report";
    GameProcess program(bin, launch);
    EXPECT_EQ(program.waitForExit(patience), 3);

    std::string report = contentsOf(folder.root / "report.txt");
    EXPECT_EQ(report.rfind(bin.string() + "\n", 0), 0u) << report;
    for (const char* line : {"\nGRIMFATHOM_SET=second\n", "\nGRIMFATHOM_KEPT=kept\n", "\nGRIMFATHOM_WRAPPED=yes\n"})
        EXPECT_NE(report.find(line), std::string::npos) << line << " missing from:\n" << report;
    for (const char* name : {"GRIMFATHOM_SET=first", "GRIMFATHOM_GONE="})
        EXPECT_EQ(report.find(name), std::string::npos) << name << " in:\n" << report;
    EXPECT_EQ(contentsOf(errors), "complaint\n");
}

// Said at once, rather than as a window that never comes.
TEST(Launch, ProgramThatIsNowhereOnThePathThrows)
{
    ScratchFolder folder;
    Launch launch;
    launch.environment = {"PATH=" + folder.root.string()};
    launch.program = "grimfathom";
    EXPECT_THROW(GameProcess(folder.run(), launch), std::exception);
}
