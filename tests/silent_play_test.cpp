// With no sound device at all the built game plays on in silence: it fires, is caught, starts
// again, and closing exits with 0, though SFML logs from the last sound's destructor at exit,
// which must not outlive SFML's error stream.
#include "game_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

TEST(NoSoundDevice, FiringBeingCaughtAndRestartingAllWorkAndCloseExitsWithZero)
{
    GameSession session;
    markPicture(session.res(), "level.png", levelMark);
    markPicture(session.res(), "gameover.png", gameOverMark);
    markPicture(session.res(), "torpedo.png", torpedoMark);
    std::filesystem::path errors = session.folder.root / "errors.txt";
    Launch launch;
    launch.errors = errors;
    ASSERT_TRUE(session.start(launch, Sound::NoDevice));

    ASSERT_TRUE(session.pausesAndResumes());
    EXPECT_TRUE(shows(session.fireAndPause(), dimmed(torpedoMark))) << "no torpedo";
    tapKey("Return");
    ASSERT_GT(session.playUntilCaught(patience).getSize().x, 0u) << "never caught";

    ASSERT_TRUE(session.tapReturnAfter(1.2));
    EXPECT_TRUE(session.appears(showsMarkedIntro)) << "no new game";
    ASSERT_TRUE(session.pausesAndResumes());
    EXPECT_TRUE(shows(session.fireAndPause(), dimmed(torpedoMark))) << "no torpedo in the new game";
    EXPECT_EQ(session.close(), 0);

    std::ifstream log(errors);
    std::string logged((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(logged.find(noSoundDeviceMessage), std::string::npos) << "a sound device opened after all:\n" << logged;
}
