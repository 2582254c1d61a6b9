// With no sound device at all the built game plays on in silence: it fires, is caught, starts
// again, and closing exits with 0.
#include "game_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

// OpenAL Soft is held to ALSA, and there is no sound card here for it to open.
TEST(NoSoundDevice, FiringBeingCaughtAndRestartingAllWorkAndCloseExitsWithZero)
{
    GameSession session;
    markPicture(session.res(), "level.png", levelMark);
    markPicture(session.res(), "gameover.png", gameOverMark);
    markPicture(session.res(), "torpedo.png", torpedoMark);
    std::filesystem::path errors = session.folder.root / "errors.txt";
    ASSERT_TRUE(session.start(Launch{{"ALSOFT_DRIVERS=alsa"}, {}, {}, errors}));

    tapKey("Return");
    wait(0.35);
    tapKey("space");
    EXPECT_GT(session.await(2, [](const sf::Image& shot) { return shows(shot, torpedoMark); }).getSize().x, 0u)
        << "no torpedo";
    ASSERT_GT(session.playUntilCaught(40).getSize().x, 0u) << "never caught";

    wait(1.2);
    tapKey("Return");
    EXPECT_GT(session.await(10, [](const sf::Image& shot) { return shows(shot, levelMark) && !shows(shot, gameOverMark); })
                  .getSize().x, 0u) << "no new game";
    tapKey("Return");
    wait(0.35);
    tapKey("space");
    EXPECT_GT(session.await(2, [](const sf::Image& shot) { return shows(shot, torpedoMark); }).getSize().x, 0u)
        << "no torpedo in the new game";
    EXPECT_EQ(session.close(), 0);

    std::ifstream log(errors);
    std::string logged((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(logged.find("Failed to open the audio device"), std::string::npos) << "a sound device opened after all";
}
