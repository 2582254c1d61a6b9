// The sound bank, the ring of four voices, and sound files that cannot be read.
#include "broken_files.h"
#include "support.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <vector>

// A short tone of its own length, so each sound's buffer can be told apart.
static void writeTone(const std::filesystem::path& path, unsigned samples)
{
    std::vector<std::int16_t> tone(samples);
    for (unsigned i = 0; i < samples; i++)
        tone[i] = std::int16_t(8000 * std::sin(i * 0.05));
    sf::SoundBuffer buffer;
    (void)loadSamples(buffer, tone, 1, 44100);
    (void)buffer.saveToFile(path.string());
}

class SoundBank : public ::testing::Test {
protected:
    void SetUp() override
    {
        unsigned length = 1000;     // 1100 samples for the first of gameSounds, 100 more for each next
        for (const std::string& name : gameSounds)
            writeTone(folder.res() / (name + ".wav"), length += 100);
        openGameWindow();
        resetGame();
    }

    ScratchFolder folder;
};

TEST_F(SoundBank, SetUpLoadsTheFiveSoundsAndBindsTheJingle)
{
    ASSERT_EQ(voices.size(), 4u);
    EXPECT_EQ(soundBank.size(), gameSounds.size());
    EXPECT_EQ(soundBank["splash"].getSampleCount(), 1100u);
    EXPECT_EQ(soundBank["beepboop"].getSampleCount(), 1500u);
    EXPECT_EQ(bufferOf(jingleSound), &soundBank["beepboop"]);
}

TEST_F(SoundBank, PlaysGoRoundTheFourVoicesInTurn)
{
    const char* names[] = {"pew", "splash", "explosion", "gameover", "beepboop"};
    const int expectedVoice[] = {0, 1, 2, 3, 0};
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(nextVoice, expectedVoice[i]);
        playSound(names[i]);
        EXPECT_EQ(bufferOf(voices[expectedVoice[i]]), &soundBank[names[i]]);
    }
    EXPECT_EQ(nextVoice, 1);
    EXPECT_EQ(voices.size(), 4u);
}

TEST_F(SoundBank, HitPlaysExplosionThenSplashOnConsecutiveVoices)
{
    nextVoice = 3;
    phase = Playing;
    squids.push_back(Squid{sf::Vector2f(300, 300), false});
    torpedoes.push_back(Torpedo{sf::Vector2f(300, 300), false});
    update(0);
    EXPECT_EQ(bufferOf(voices[3]), &soundBank["explosion"]);
    EXPECT_EQ(bufferOf(voices[0]), &soundBank["splash"]);
    EXPECT_EQ(nextVoice, 1);
}

TEST_F(SoundBank, NameNeverLoadedPlaysSilentlyAddsAnEmptyEntryAndTakesAVoice)
{
    playSound("whalesong");
    EXPECT_EQ(nextVoice, 1);
    ASSERT_EQ(soundBank.count("whalesong"), 1u);
    EXPECT_EQ(soundBank["whalesong"].getSampleCount(), 0u);
    EXPECT_EQ(bufferOf(voices[0]), &soundBank["whalesong"]);
}

TEST_F(SoundBank, FailedLoadReplacesTheEntryWithAnEmptyBuffer)
{
    std::filesystem::remove(folder.res() / "pew.wav");
    loadSound("pew");
    EXPECT_EQ(soundBank["pew"].getSampleCount(), 0u);
    EXPECT_EQ(soundBank["splash"].getSampleCount(), 1100u);
}

TEST_F(SoundBank, JingleOpensLevelOneOnly)
{
    level = 2;
    startLevel();
    EXPECT_EQ(jingleSound.getStatus(), sf::Sound::Status::Stopped);
    level = 1;
    startLevel();
    EXPECT_EQ(jingleSound.getStatus(), sf::Sound::Status::Playing);
}

// Each of these once crashed, hung or took gigabytes inside SFML; now each is simply unreadable.
// No sound has been read before in the test's process: that is where a directory once kept
// SFML's FLAC probe reading forever.
class DamagedSound : public ::testing::Test {
protected:
    void expectUnreadable(const char* what)
    {
        struct rusage before, after;
        getrusage(RUSAGE_SELF, &before);
        loadSound("pew");
        getrusage(RUSAGE_SELF, &after);
        EXPECT_EQ(soundBank["pew"].getSampleCount(), 0u) << what;
        EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << what << ": peak grew by kB";
    }

    std::filesystem::path pew() const { return folder.res() / "pew.wav"; }

    ScratchFolder folder;
};

TEST_F(DamagedSound, DataChunkAheadOfTheFormatChunk)
{
    writeWav(pew(), WavHeader{1, 1, 44100, 16, 200, true});
    expectUnreadable("data first");
}

TEST_F(DamagedSound, DataChunkClaimingGigabytesTheFileDoesNotHold)
{
    writeWav(pew(), WavHeader{1, 1, 44100, 16, 0xfffffff0u, false});
    expectUnreadable("16-bit claim");
    writeWav(pew(), WavHeader{1, 1, 44100, 8, 0xfffffff0u, false});
    expectUnreadable("8-bit claim");
}

TEST_F(DamagedSound, FlacClaimingMoreSamplesThanItHolds)
{
    writeFlacClaiming(pew(), (1ull << 36) - 1);
    expectUnreadable("beyond memory");
    writeFlacClaiming(pew(), 1ull << 31);
    expectUnreadable("gigabytes");
}

TEST_F(DamagedSound, HeaderLyingAboutTheFormat)
{
    writeWav(pew(), WavHeader{3, 1, 44100, 32, 200, false});
    expectUnreadable("float format");
    writeWav(pew(), WavHeader{1, 1, 44100, 12, 200, false});
    expectUnreadable("12 bits");
    writeWav(pew(), WavHeader{1, 0, 44100, 16, 200, false});
    expectUnreadable("no channels");
    writeWav(pew(), WavHeader{1, 1, 0, 16, 200, false});
    expectUnreadable("no sample rate");
}

TEST_F(DamagedSound, EmptyRandomOrTruncatedFile)
{
    std::ofstream(pew(), std::ios::trunc).close();
    expectUnreadable("zero bytes");
    writeRandomBytes(pew(), 4096);
    expectUnreadable("random bytes");
    writeTone(folder.root / "tone.wav", 5000);
    writeTruncated(pew(), folder.root / "tone.wav", 1000);
    expectUnreadable("truncated");
}

TEST_F(DamagedSound, DirectoryWhereTheFileShouldBe)
{
    std::filesystem::create_directory(pew());
    expectUnreadable("directory");
}

TEST_F(DamagedSound, GoodFileStillDecodesSampleForSample)
{
    std::vector<std::int16_t> stereo(3000);
    for (std::size_t i = 0; i < stereo.size(); i++)
        stereo[i] = std::int16_t(i * 7);
    sf::SoundBuffer good;
    (void)loadSamples(good, stereo, 2, 22050);
    (void)good.saveToFile(pew().string());
    loadSound("pew");
    const sf::SoundBuffer& loaded = soundBank["pew"];
    EXPECT_EQ(loaded.getChannelCount(), 2u);
    EXPECT_EQ(loaded.getSampleRate(), 22050u);
    ASSERT_EQ(loaded.getSampleCount(), stereo.size());
    EXPECT_TRUE(std::equal(stereo.begin(), stereo.end(), loaded.getSamples()));
}

// Chunks ahead of the format chunk are skipped by their little-endian sizes: a LIST chunk first
// changes nothing, and behind one a data chunk ahead of the format is still caught.
TEST_F(DamagedSound, ChunksAheadOfTheFormatAreSkippedBySize)
{
    writeWav(pew(), WavHeader{});
    loadSound("pew");
    sf::SoundBuffer plain = soundBank["pew"];
    writeWav(pew(), WavHeader{1, 1, 44100, 16, 200, false, true});
    loadSound("pew");
    const sf::SoundBuffer& listed = soundBank["pew"];
    ASSERT_EQ(listed.getSampleCount(), 100u);
    ASSERT_EQ(plain.getSampleCount(), 100u);
    EXPECT_TRUE(std::equal(plain.getSamples(), plain.getSamples() + 100, listed.getSamples()));

    writeWav(pew(), WavHeader{1, 1, 44100, 16, 200, true, true});
    expectUnreadable("LIST, data, fmt");
}
