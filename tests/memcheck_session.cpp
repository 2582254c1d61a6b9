// A short scripted session of the built game under valgrind's memcheck: no invalid reads or
// writes, and no definite leaks but those of libraries listed in tests/sanitizers/memcheck.supp.
// One picture and one sound are spoiled, so the paths that pass over them run too.
// Kept out of ctest: `make memcheck` runs it.
#include "broken_files.h"
#include "game_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

static void printSummary(const std::filesystem::path& log)
{
    std::ifstream file(log);
    for (std::string line; std::getline(file, line);)
        if (line.find("ERROR SUMMARY") != std::string::npos || line.find("lost:") != std::string::npos ||
            line.find("suppressed:") != std::string::npos)
            std::cout << line << "\n";
}

// Everything the game does once: intro, steering, a shot, a pause, focus lost and found, the
// results, a restart. Under valgrind the game draws a few frames a second, so waits are long.
static void playOnce(const GameSession& session)
{
    tapKey("Return");
    keyDown("Down");
    wait(0.5);
    keyUp("Down");
    tapKey("space");
    tapKey("Escape");
    EXPECT_GT(session.await(60, pauseBarsShow).getSize().x, 0u) << "no pause";
    tapKey("Return");
    focusWindow(0);
    wait(1);
    focusWindow(session.window);
    tapKey("Return");
    EXPECT_GT(session.playUntilCaught(90).getSize().x, 0u) << "never caught";
    // Under valgrind a frame can take most of a second: the key counts only once a frame drawn
    // after the delay shows that the game's clock has passed it.
    EXPECT_TRUE(session.tapReturnAfter(1.5)) << "the results stood still";
    EXPECT_GT(session.await(60, showsMarkedIntro).getSize().x, 0u) << "no restart";
}

TEST(Memcheck, ShortSessionHasNoInvalidAccessAndNoDefiniteLeakOfOurs)
{
    GameSession session;
    markPicture(session.res(), "level.png", levelMark);
    markPicture(session.res(), "gameover.png", gameOverMark);
    writeTruncated(session.res() / "explosion.png", GAME_RES "/explosion.png", 300);
    writeWav(session.res() / "pew.wav", WavHeader{1, 1, 44100, 16, 0xfffffff0u, false});
    std::filesystem::path log = session.folder.root / "memcheck.log";
    Launch launch;
    launch.wrapper = {"valgrind", "--error-exitcode=99", "--leak-check=full", "--show-leak-kinds=definite",
                      "--errors-for-leak-kinds=definite", "--keep-debuginfo=yes", "--num-callers=30",
                      "--suppressions=" MEMCHECK_SUPPRESSIONS, "--log-file=" + log.string()};
    ASSERT_TRUE(session.start(launch));
    playOnce(session);
    int status = session.close();

    printSummary(log);
    EXPECT_EQ(status, 0) << "99 means memcheck found errors; its log follows";
    if (status != 0) {
        std::ifstream file(log);
        std::cout << std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
}
