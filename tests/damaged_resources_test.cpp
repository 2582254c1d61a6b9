// The built game started over damaged pictures and sounds, and over digit strips too narrow to
// cut: no crash, no hang, no runaway memory; it runs on as if the files were missing.
#include "broken_files.h"
#include "game_session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// The game's own resident size is near 100 MB, a few hundred under the sanitizers; a header
// believed would take gigabytes.
static const long memoryLimitKilobytes = 1500 * 1024;

struct Damage {
    std::string name;
    std::function<void(const fs::path& path)> apply;   // spoils the file at path, good or not
};

// Named in test listings by its name rather than its bytes.
static void PrintTo(const Damage& damage, std::ostream* out)
{
    *out << damage.name;
}

static std::string damageName(const ::testing::TestParamInfo<Damage>& damage)
{
    return damage.param.name;
}

static void replaceWithDirectory(const fs::path& path)
{
    fs::remove(path);
    fs::create_directory(path);
}

// Opening a named pipe waits for a writer that never comes.
static void replaceWithNamedPipe(const fs::path& path)
{
    fs::remove(path);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
}

static void truncateToHalf(const fs::path& path)
{
    fs::path good = path.string() + ".good";
    fs::rename(path, good);
    writeTruncated(path, good, fs::file_size(good) / 2);
    fs::remove(good);
}

class DamagedPictures : public ::testing::TestWithParam<Damage> {};

// With every picture unreadable only the sea shows, and paused only the dim and the bars.
TEST_P(DamagedPictures, EveryOneSpoiledLeavesOnlyTheSeaAndTheGameAnswersItsKeys)
{
    GameSession session;
    for (const std::string& name : gamePictures)
        GetParam().apply(session.res() / name);
    ASSERT_TRUE(session.start());
    ASSERT_NO_FATAL_FAILURE(session.expectOnlyTheSeaAroundAPause());
    EXPECT_EQ(windowIcon(session.window).getSize().x, 0u) << "an icon from a spoiled picture";
    tapKey("space");
    wait(0.2);

    EXPECT_LT(session.memoryKilobytes("VmHWM"), memoryLimitKilobytes);
    EXPECT_EQ(session.close(), 0);
}

INSTANTIATE_TEST_SUITE_P(Spoiled, DamagedPictures, ::testing::Values(
    Damage{"TruncatedToHalf", truncateToHalf},
    Damage{"RandomBytes", [](const fs::path& path) { writeRandomBytes(path, 4096); }},
    Damage{"HeaderClaimingTwoGigapixelsEachWay", [](const fs::path& path) { writePngClaiming(path, 0x7fffffff, 0x7fffffff); }},
    Damage{"HeaderClaimingTheLargestTexture", [](const fs::path& path) { writePngClaiming(path, 16384, 16384); }},
    Damage{"ZeroBytes", [](const fs::path& path) { std::ofstream(path, std::ios::trunc).close(); }},
    Damage{"Directory", replaceWithDirectory},
    Damage{"NamedPipe", replaceWithNamedPipe},
    Damage{"JpegWithImpossibleHuffmanValue", writeJpegWithImpossibleHuffmanValue},
    Damage{"HdrEndingInItsFirstScanline", writeHdrEndingInItsFirstScanline},
    Damage{"BlankPngSixteenThousandSquare", [](const fs::path& path) { writeBlankPng(path, 16000, 16000); }}), damageName);

// SFML's decoder reserves what an image data chunk claims, 2 GB here, before it finds the file
// ending: address space rather than memory in use, so the peak virtual size is what shows it.
TEST(PngDataClaimingMoreThanTheFileHolds, ReservesNothingForItAndTheGameRunsOn)
{
    long usual = 0;
    {
        GameSession good;
        ASSERT_TRUE(good.start());
        usual = good.memoryKilobytes("VmPeak");
        EXPECT_EQ(good.close(), 0);
    }
    GameSession damaged;
    for (const std::string& name : gamePictures)
        writePngWithDataClaiming(damaged.res() / name, 0x7fffffff);
    ASSERT_TRUE(damaged.start());
    ASSERT_NO_FATAL_FAILURE(damaged.expectOnlyTheSeaAroundAPause());
    EXPECT_LT(damaged.memoryKilobytes("VmPeak") - usual, 1024 * 1024);
    EXPECT_EQ(damaged.close(), 0);
}

class DamagedSounds : public ::testing::TestWithParam<Damage> {};

// The jingle opens the intro and Space plays "pew": with every sound spoiled neither is heard.
TEST_P(DamagedSounds, EveryOneSpoiledLeavesTheGamePlayingSilently)
{
    GameSession session;
    for (const std::string& name : gameSounds)
        GetParam().apply(session.res() / (name + ".wav"));
    ASSERT_TRUE(session.start());
    EXPECT_TRUE(session.pausesAndResumes());
    EXPECT_GT(session.fireAndPause().getSize().x, 0u);
    ASSERT_TRUE(session.awaitRecordingOfNow());

    EXPECT_LT(session.memoryKilobytes("VmHWM"), memoryLimitKilobytes);
    EXPECT_EQ(session.close(), 0);
    EXPECT_GT(fs::file_size(session.recording()), 10000u) << "no sound device output at all";
    EXPECT_FALSE(recordingHasSound(session.recording()));
}

INSTANTIATE_TEST_SUITE_P(Spoiled, DamagedSounds, ::testing::Values(
    Damage{"TruncatedToHalf", truncateToHalf},
    Damage{"RandomBytes", [](const fs::path& path) { writeRandomBytes(path, 4096); }},
    Damage{"ZeroBytes", [](const fs::path& path) { std::ofstream(path, std::ios::trunc).close(); }},
    Damage{"DataClaimingFourGigabytes", [](const fs::path& path) { writeWav(path, WavHeader{1, 1, 44100, 8, 0xfffffff0u, false}); }},
    Damage{"DataBeforeFormat", [](const fs::path& path) { writeWav(path, WavHeader{1, 1, 44100, 16, 200, true}); }},
    Damage{"FloatFormatClaimed", [](const fs::path& path) { writeWav(path, WavHeader{3, 1, 44100, 32, 200, false}); }},
    Damage{"NoChannelsClaimed", [](const fs::path& path) { writeWav(path, WavHeader{1, 0, 44100, 16, 200, false}); }},
    Damage{"FlacClaimingTooManySamples", [](const fs::path& path) { writeFlacClaiming(path, (1ull << 36) - 1); }},
    Damage{"Directory", replaceWithDirectory}), damageName);

// A strip narrower than ten pixels has cells of width 0, so its digits cannot show.
class UncuttableNumbers : public ::testing::TestWithParam<Damage> {};

TEST_P(UncuttableNumbers, DigitsDoNotShowWhileTheRestDoes)
{
    GameSession session;
    markPicture(session.res(), "level.png", levelMark);
    GetParam().apply(session.res() / "numbers.png");
    ASSERT_TRUE(session.start());
    sf::Image intro = session.await([](const sf::Image& shot) { return shows(shot, levelMark); });
    EXPECT_GT(countColour(intro, levelMark), 0);
    EXPECT_EQ(countColour(intro, numbersMark), 0);
    EXPECT_TRUE(session.pausesAndResumes());
    EXPECT_EQ(session.close(), 0);
}

INSTANTIATE_TEST_SUITE_P(Strips, UncuttableNumbers, ::testing::Values(
    Damage{"NineWide", [](const fs::path& path) { writePicture(path, 9, 34, numbersMark); }},
    Damage{"OnePixel", [](const fs::path& path) { writePicture(path, 1, 1, numbersMark); }},
    Damage{"EmptyFile", [](const fs::path& path) { std::ofstream(path, std::ios::trunc).close(); }}), damageName);

// The results screen draws four numbers; none shows, and the game still restarts.
TEST(UncuttableNumbersOnTheResults, NoDigitShowsAndAKeyStillStartsANewGame)
{
    GameSession session;
    markPicture(session.res(), "level.png", levelMark);
    markPicture(session.res(), "gameover.png", gameOverMark);
    writePicture(session.res() / "numbers.png", 9, 34, numbersMark);
    ASSERT_TRUE(session.start());
    tapKey("Return");
    sf::Image results = session.await([](const sf::Image& shot) { return shows(shot, gameOverMark); });
    ASSERT_GT(results.getSize().x, 0u) << "the squid never reached the submarine";
    EXPECT_GT(countColour(results, levelMark), 0);
    EXPECT_EQ(countColour(results, numbersMark), 0);

    ASSERT_TRUE(session.tapReturnAfter(1.2));
    EXPECT_TRUE(session.appears([](const sf::Image& shot) { return !shows(shot, gameOverMark); })) << "no new game";
    EXPECT_EQ(session.close(), 0);
}
