// The built game started with a picture or a sound missing, or with no resource folder at all:
// it shows what it has, answers its keys, and closing exits with 0.
#include "game_session.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace fs = std::filesystem;

TEST(NoResourceFolder, OnlyTheSeaShowsKeysStillWorkAndTheGameIsSilent)
{
    GameSession session;
    fs::remove_all(session.res());
    ASSERT_TRUE(session.start());
    ASSERT_NO_FATAL_FAILURE(session.expectOnlyTheSeaAroundAPause());
    tapKey("space");
    keyDown("Down");
    wait(0.2);
    keyUp("Down");

    ASSERT_TRUE(session.awaitRecordingOfNow());
    EXPECT_EQ(session.close(), 0);
    EXPECT_GT(fs::file_size(session.recording()), 10000u) << "no sound device output at all";
    EXPECT_FALSE(recordingHasSound(session.recording()));
}

// The pictures that show in the intro, and the torpedo, are replaced by single colours, so
// that each can be told present or absent at a glance.
static const std::map<std::string, sf::Color> marks = {
    {"level.png", levelMark}, {"numbers.png", numbersMark}, {"squid.png", squidMark},
    {"submarine.png", submarineMark}, {"torpedo.png", torpedoMark}};

static std::string fileStem(const ::testing::TestParamInfo<std::string>& file)
{
    return file.param.substr(0, file.param.find('.'));
}

class MissingPicture : public ::testing::TestWithParam<std::string> {};

TEST_P(MissingPicture, TheRestShowsKeysWorkAndCloseExitsWithZero)
{
    GameSession session;
    std::string missing = GetParam();
    for (const auto& [name, colour] : marks)
        markPicture(session.res(), name, colour);
    fs::remove(session.res() / missing);
    ASSERT_TRUE(session.start());

    sf::Image intro = session.await([&](const sf::Image& shot) {
        for (const auto& [name, colour] : marks)
            if (name != missing && name != "torpedo.png" && !shows(shot, colour))
                return false;
        return true;
    });
    for (const auto& [name, colour] : marks) {
        if (name == "torpedo.png")
            continue;           // not launched yet
        EXPECT_EQ(shows(intro, colour), name != missing) << name << " in the intro";
    }
    EXPECT_TRUE(session.pausesAndResumes());

    sf::Image paused = session.fireAndPause();
    ASSERT_GT(paused.getSize().x, 0u) << "Escape did not pause";
    EXPECT_EQ(shows(paused, dimmed(torpedoMark)), missing != "torpedo.png");
    EXPECT_EQ(windowIcon(session.window).getSize().x > 0, missing != "icon.png") << "the window's icon";
    EXPECT_EQ(session.close(), 0);
}

INSTANTIATE_TEST_SUITE_P(EachInTurn, MissingPicture,
                         ::testing::ValuesIn(gamePictures),
                         fileStem);

// Only the jingle plays in the intro, so the recording is silent exactly when it is missing.
// The game is paused again before the recording is awaited: a squid that reached the
// submarine meanwhile would be heard.
class MissingSound : public ::testing::TestWithParam<std::string> {};

TEST_P(MissingSound, TheGamePlaysOnSilentOnlyWithoutTheJingleAndCloseExitsWithZero)
{
    GameSession session;
    fs::remove(session.res() / (GetParam() + ".wav"));
    ASSERT_TRUE(session.start());
    EXPECT_TRUE(session.pausesAndResumes());
    tapKey("Escape");
    ASSERT_TRUE(session.appears(pauseBarsShow));
    ASSERT_TRUE(session.awaitRecordingOfNow());
    EXPECT_EQ(session.close(), 0);
    EXPECT_GT(fs::file_size(session.recording()), 10000u);
    EXPECT_EQ(recordingHasSound(session.recording()), GetParam() != "beepboop");
}

INSTANTIATE_TEST_SUITE_P(EachInTurn, MissingSound,
                         ::testing::ValuesIn(gameSounds),
                         fileStem);
