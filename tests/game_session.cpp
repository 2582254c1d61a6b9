// Runs the built game under a test's X server, drives its window and reads back what it shows.
#include "game_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

void wait(double seconds)
{
    if (seconds > 0)
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void markPicture(const fs::path& res, const std::string& name, sf::Color colour)
{
    sf::Image picture;
    sf::Vector2u size(40, 20);
    if (picture.loadFromFile((res / name).string()))
        size = picture.getSize();
    writePicture(res / name, size.x, size.y, colour);
}

int countColour(const sf::Image& shot, sf::Color colour, int tolerance)
{
    return countPixels(shot, colour, tolerance, 0, 0, shot.getSize().x, shot.getSize().y);
}

bool shows(const sf::Image& shot, sf::Color mark)
{
    return countColour(shot, mark) > 0;
}

bool showsMarkedIntro(const sf::Image& shot)
{
    return shows(shot, levelMark) && !shows(shot, gameOverMark);
}

int firstRowOf(const sf::Image& shot, sf::Color colour)
{
    for (unsigned y = 0; y < shot.getSize().y; y++)
        for (unsigned x = 0; x < shot.getSize().x; x++)
            if (near(pixelAt(shot, x, y), colour, 6))
                return int(y);
    return -1;
}

// Counts bright pixels inside the window rectangle that the scene rectangle maps to, less a
// pixel at each edge where the stretch may blend.
static double brightShare(const sf::Image& shot, float left, float top, float width, float height)
{
    sf::Vector2u size = shot.getSize();
    float sx = float(size.x) / 800, sy = float(size.y) / 600;
    unsigned x0 = unsigned(left * sx) + 1, x1 = unsigned((left + width) * sx) - 1;
    unsigned y0 = unsigned(top * sy) + 1, y1 = unsigned((top + height) * sy) - 1;
    double bright = 0, all = 0;
    for (unsigned y = y0; y < y1; y++)
        for (unsigned x = x0; x < x1; x++) {
            sf::Color pixel = pixelAt(shot, x, y);
            bright += pixel.r >= 190 && pixel.g >= 190 && pixel.b >= 190;
            all += 1;
        }
    return all > 0 ? bright / all : 0;
}

bool pauseBarsShow(const sf::Image& shot)
{
    return brightShare(shot, 370, 250, 20, 100) > 0.99 && brightShare(shot, 410, 250, 20, 100) > 0.99 &&
           brightShare(shot, 392, 250, 16, 100) < 0.01;
}

// OpenAL Soft dithers its 16-bit output, so silence comes out as a sample or two of noise.
bool recordingHasSound(const fs::path& wav)
{
    std::ifstream file(wav, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const char tag[] = {'d', 'a', 't', 'a'};
    auto data = std::search(bytes.begin(), bytes.end(), std::begin(tag), std::end(tag));
    for (auto at = data + std::min<std::ptrdiff_t>(8, bytes.end() - data); bytes.end() - at >= 2; at += 2) {
        int sample = static_cast<unsigned char>(at[0]) | static_cast<signed char>(at[1]) * 256;
        if (std::abs(sample) > 64)
            return true;
    }
    return false;
}

double recordedSeconds(const fs::path& wav)
{
    std::ifstream file(wav, std::ios::binary);
    std::string header(256, '\0');
    file.read(header.data(), std::streamsize(header.size()));
    header.resize(std::size_t(file.gcount()));
    std::size_t format = header.find("fmt "), data = header.find("data");
    if (format == std::string::npos || data == std::string::npos || format + 20 > header.size())
        return 0;
    std::uint32_t bytesPerSecond = 0;
    for (int i = 3; i >= 0; i--)
        bytesPerSecond = bytesPerSecond << 8 | static_cast<unsigned char>(header[format + 16 + i]);
    std::error_code unreadable;
    double bytes = double(fs::file_size(wav, unreadable)) - double(data + 8);
    return bytesPerSecond > 0 && !unreadable ? bytes / bytesPerSecond : 0;
}

bool sameImage(const sf::Image& a, const sf::Image& b)
{
    return a.getSize() == b.getSize() &&
           std::memcmp(a.getPixelsPtr(), b.getPixelsPtr(), 4 * a.getSize().x * a.getSize().y) == 0;
}

// Whether the check passes within the timeout, asked every 20 ms.
static bool within(double timeoutSeconds, const std::function<bool()>& check)
{
    auto deadline = Clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (!check()) {
        if (Clock::now() > deadline)
            return false;
        wait(0.02);
    }
    return true;
}

GameSession::GameSession()
{
    folder.copyGameResources();
}

// The settings that send the game's sound into the wave file, whichever SFML it was built on:
// SFML 2's OpenAL Soft writes it with its wave driver, SFML 3's miniaudio plays it into ALSA,
// whose file output hands it to the paced recorder (PulseAudio is out of reach, from
// tests/with-display.sh). Both write 16-bit samples, as they would reach a sound card.
static std::vector<std::string> recordingEnvironment(const fs::path& folder, const fs::path& wav)
{
    fs::path openal = folder / "alsoft.conf", alsa = folder / "asound.conf";
    std::ofstream(openal) << "[general]\ndrivers=wave\nsample-type=int16\n[wave]\nfile=" << wav.string() << "\n";
    std::ofstream(alsa) << "pcm.!default { type plug; slave { pcm recorder; format S16_LE; rate 44100; channels 2 } }\n"
                           "pcm.recorder { type file; slave.pcm { type null }; format raw;\n"
                           "  file \"|exec " PACED_RECORDER " " << wav.string() << "\" }\n";
    return {"ALSOFT_CONF=" + openal.string(), "ALSOFT_DRIVERS=wave",
            "ALSA_CONFIG_PATH=/usr/share/alsa/alsa.conf:" + alsa.string()};
}

// The settings for each place the sound can go, whichever SFML the game was built on.
static std::vector<std::string> soundSettings(Sound sound, const fs::path& folder, const fs::path& wav)
{
    switch (sound) {
    case Sound::Silent:
        return {};
    case Sound::NoDevice:
        // OpenAL Soft (SFML 2) held to ALSA, ALSA's own set-up sending its default device to a
        // card that is not there, and PulseAudio out of reach (SFML 3's miniaudio tries it first).
        return {"ALSOFT_DRIVERS=alsa", "ALSA_CONFIG_PATH=/usr/share/alsa/alsa.conf", "ALSA_CARD=none",
                "PULSE_SERVER=unix:/nonexistent"};
    case Sound::Recorded:
        return recordingEnvironment(folder, wav);
    }
    return {};
}

// The window maps before the pictures load; the first frame comes a moment later.
bool GameSession::start(Launch launch, Sound sound)
{
    while (std::time(nullptr) == startedInSecond)
        wait(0.02);
    startedInSecond = std::time(nullptr);
    game.reset();       // a game left from an earlier start must not be the window found
    std::vector<std::string> settings = soundSettings(sound, folder.root, recording());
    launch.environment.insert(launch.environment.begin(), settings.begin(), settings.end());
    launched = Clock::now();
    game = std::make_unique<GameProcess>(folder.run(), launch);
    window = findWindow("Grimfathom", patience);
    windowShown = Clock::now();
    if (!window)
        return false;
    focusWindow(window);
    bool drawn = within(patience, [this] { return showsAFrame(window); });
    firstFrameSeen = Clock::now();
    return drawn;
}

void GameSession::leaveIntroAndPause() const
{
    wait(0.3 - secondsSince(firstFrameSeen));
    tapKey("Return");
    wait(0.1);
    tapKey("Escape");
}

sf::Image GameSession::fireAndPause() const
{
    keyDown("space");
    keyDown("Escape");
    wait(2.0 / 60);
    keyUp("space");
    keyUp("Escape");
    return await(pauseBarsShow);
}

bool GameSession::pausesAndResumes() const
{
    leaveIntroAndPause();
    bool paused = appears(pauseBarsShow);
    tapKey("Return");
    bool resumed = appears([](const sf::Image& image) { return !pauseBarsShow(image); });
    return paused && resumed;
}

void GameSession::expectOnlyTheSeaAroundAPause() const
{
    const int wholeScene = 800 * 600;
    EXPECT_EQ(countColour(shot(), sea), wholeScene);
    leaveIntroAndPause();
    sf::Image paused = await(pauseBarsShow);
    ASSERT_GT(paused.getSize().x, 0u) << "Escape did not pause";
    EXPECT_EQ(countColour(paused, dimmedSea), wholeScene - 2 * 20 * 100);
    tapKey("Return");
    EXPECT_TRUE(appears([&](const sf::Image& image) { return countColour(image, sea) == wholeScene; }))
        << "the next key did not resume";
}

sf::Image GameSession::playUntilCaught(double timeoutSeconds) const
{
    return await(timeoutSeconds, [](const sf::Image& shot) {
        if (shows(shot, levelMark))
            tapKey("Return");
        return shows(shot, gameOverMark);
    });
}

bool GameSession::tapReturnAfter(double seconds) const
{
    wait(seconds);
    if (!awaitNewFrames())
        return false;
    tapKey("Return");
    return true;
}

int GameSession::close()
{
    closeWindow(window);
    return game->waitForExit(patience);
}

sf::Image GameSession::await(double timeoutSeconds, const std::function<bool(const sf::Image&)>& check) const
{
    auto deadline = Clock::now() + std::chrono::duration<double>(timeoutSeconds);
    do {
        sf::Image image = shot();
        if (check(image))
            return image;
        wait(0.03);
    } while (Clock::now() < deadline);
    return sf::Image();
}

bool GameSession::awaitNewFrames() const
{
    sf::Image last = shot();
    for (int change = 0; change < 2; change++) {
        last = await([&](const sf::Image& image) { return !sameImage(image, last); });
        if (last.getSize().x == 0)
            return false;
    }
    return true;
}

// The wave file grows as the game's sound is mixed, at the byte rate its header gives; its
// clock started when the device opened, after the launch.
bool GameSession::awaitRecordingOfNow() const
{
    double now = secondsSince(launched);
    return within(patience, [&] { return recordedSeconds(recording()) >= now + 0.05; });
}

void GameSession::resize(unsigned width, unsigned height) const
{
    placeWindow(window, 0, 0, width, height);
    within(patience, [&] { return windowSize(window) == sf::Vector2u(width, height); });
}

long GameSession::memoryKilobytes(const char* field) const
{
    std::ifstream status("/proc/" + std::to_string(game->pid) + "/status");
    std::string name;
    long kilobytes = 0;
    while (status >> name)
        if (name == std::string(field) + ":" && status >> kilobytes)
            return kilobytes;
    return 0;
}
