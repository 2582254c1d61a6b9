// The sound bank and the ring of four voices.
#include "support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

// A short tone of its own length, so each sound's buffer can be told apart.
static void writeTone(const std::filesystem::path& path, unsigned samples)
{
    std::vector<sf::Int16> tone(samples);
    for (unsigned i = 0; i < samples; i++)
        tone[i] = sf::Int16(8000 * std::sin(i * 0.05));
    sf::SoundBuffer buffer;
    buffer.loadFromSamples(tone.data(), tone.size(), 1, 44100);
    buffer.saveToFile(path.string());
}

class SoundBank : public ::testing::Test {
protected:
    void SetUp() override
    {
        unsigned length = 1000;
        for (const char* name : {"splash", "explosion", "gameover", "pew", "beepboop"})
            writeTone(folder.res() / (std::string(name) + ".wav"), length += 100);
        openGameWindow();
        resetGame();
    }

    ScratchFolder folder;
};

TEST_F(SoundBank, SetUpLoadsTheFiveSoundsAndBindsTheJingle)
{
    ASSERT_EQ(voices.size(), 4u);
    EXPECT_EQ(soundBank.size(), 5u);
    EXPECT_EQ(soundBank["splash"].getSampleCount(), 1100u);
    EXPECT_EQ(soundBank["beepboop"].getSampleCount(), 1500u);
    EXPECT_EQ(jingleSound.getBuffer(), &soundBank["beepboop"]);
}

TEST_F(SoundBank, PlaysGoRoundTheFourVoicesInTurn)
{
    const char* names[] = {"pew", "splash", "explosion", "gameover", "beepboop"};
    const int expectedVoice[] = {0, 1, 2, 3, 0};
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(nextVoice, expectedVoice[i]);
        playSound(names[i]);
        EXPECT_EQ(voices[expectedVoice[i]].getBuffer(), &soundBank[names[i]]);
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
    EXPECT_EQ(voices[3].getBuffer(), &soundBank["explosion"]);
    EXPECT_EQ(voices[0].getBuffer(), &soundBank["splash"]);
    EXPECT_EQ(nextVoice, 1);
}

TEST_F(SoundBank, NameNeverLoadedPlaysSilentlyAddsAnEmptyEntryAndTakesAVoice)
{
    playSound("whalesong");
    EXPECT_EQ(nextVoice, 1);
    ASSERT_EQ(soundBank.count("whalesong"), 1u);
    EXPECT_EQ(soundBank["whalesong"].getSampleCount(), 0u);
    EXPECT_EQ(voices[0].getBuffer(), &soundBank["whalesong"]);
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
    EXPECT_EQ(jingleSound.getStatus(), sf::Sound::Stopped);
    level = 1;
    startLevel();
    EXPECT_EQ(jingleSound.getStatus(), sf::Sound::Playing);
}
