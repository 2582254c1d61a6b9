// The built game run from outside as a player meets it: a scratch copy of the resources, its
// sound written to a wave file, its window found and read back, its memory watched.
#pragma once

#include "support.h"
#include "xdriver.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

// A colour under the pause's black at alpha 128, as the game blends it.
inline sf::Color dimmed(sf::Color colour)
{
    auto half = [](std::uint8_t channel) { return std::uint8_t((channel * 127 + 127) / 255); };
    return sf::Color(half(colour.r), half(colour.g), half(colour.b));
}
const sf::Color dimmedSea = dimmed(sea);

// Single colours that appear in none of the game's own pictures.
const sf::Color levelMark(255, 0, 255);
const sf::Color gameOverMark(0, 255, 0);
const sf::Color numbersMark(0, 0, 255);
const sf::Color minusMark(128, 0, 255);
const sf::Color torpedoMark(0, 255, 255);
const sf::Color squidMark(255, 128, 0);
const sf::Color submarineMark(128, 255, 0);

// Replaces a picture with one of its own size in a single colour, so a screenshot tells at a
// glance whether it shows and where. A picture that is not there becomes 40 x 20.
void markPicture(const std::filesystem::path& res, const std::string& name, sf::Color colour);

// Pixels within the tolerance of the colour in each channel, over the whole image.
int countColour(const sf::Image& shot, sf::Color colour, int tolerance = 6);

// Whether any pixel is within 6 of the mark.
bool shows(const sf::Image& shot, sf::Color mark);

// With the level and game-over pictures marked: a level's intro, not the results, which show
// the level caption too.
bool showsMarkedIntro(const sf::Image& shot);

// The first row holding a pixel of that colour; -1 if there is none.
int firstRowOf(const sf::Image& shot, sf::Color colour);

// The two pause bars, 20 x 100 at (370, 250) and (410, 250) in the 800 x 600 scene, bright
// wherever the scene maps them on the window, with the scene dimmed between them.
bool pauseBarsShow(const sf::Image& shot);

// Whether the 16-bit wave file holds anything louder than dither.
bool recordingHasSound(const std::filesystem::path& wav);

// Seconds of sound in the wave file so far, from the byte rate in its header; 0 before it has one.
double recordedSeconds(const std::filesystem::path& wav);

// Whether the two images have the same size and pixels.
bool sameImage(const sf::Image& a, const sf::Image& b);

void wait(double seconds);
double secondsSince(std::chrono::steady_clock::time_point start);

// Where the started game's sound goes, one switch for both SFMLs (soundSettings, game_session.cpp).
enum class Sound {
    Silent,     // the silent device tests/with-display.sh gives every test process
    NoDevice,   // none opens, as on a machine without a sound card: the game must play on silent
    Recorded,   // into recording(), as a sound card would get it
};

class GameSession {
public:
    GameSession();                          // a scratch folder with a copy of res/

    // Starts the game with its sound where asked, and waits for the first frame; false if no
    // window came. The game seeds its squids from the clock's whole seconds, so a game started
    // again waits for a new second and gets other squids.
    bool start(Launch launch = {}, Sound sound = Sound::Recorded);

    // Leaves the intro and pauses, a moment apart so that each key lands in its own phase, and
    // late enough that the game's clock has passed the 0.3 s that guards the first shot: any
    // shot after the pause has shown is taken.
    void leaveIntroAndPause() const;

    // Leaves the intro, pauses and resumes: whether the pause bars came with Escape and went
    // with the next key. Play lasts far less than the 1.2 s a squid needs to reach the submarine.
    bool pausesAndResumes() const;

    // Space and Escape in one breath while playing: the torpedo waits at the submarine's nose,
    // before any squid could reach it, and the paused frame shows it dimmed. That frame, or an
    // empty image if no pause came. Call it after a pause has shown.
    sf::Image fireAndPause() const;

    // For a game that has no picture to show: only the sea shows, Escape dims all of it but the
    // two bars, and the next key brings the sea back. Fails the running test where it does not;
    // call it inside ASSERT_NO_FATAL_FAILURE, as a missing pause ends the test.
    void expectOnlyTheSeaAroundAPause() const;

    // With the level and game-over pictures marked: plays until a squid catches the submarine,
    // leaving any new level's intro on the way, and returns the results screen; an empty image
    // if that takes longer than the timeout.
    sf::Image playUntilCaught(double timeoutSeconds) const;

    // A key on the results screen, which takes one only a second after the catch: waits the
    // seconds given, then for new frames, which show that the game's clock has passed them too,
    // and taps Return. False, and no key, if the scene stood still.
    bool tapReturnAfter(double seconds) const;

    // Asks the window to close, as a window manager does; the exit status, or -1 on a hang.
    int close();

    // The first screenshot, within the timeout, that passes the check; an empty image if none did.
    sf::Image await(double timeoutSeconds, const std::function<bool(const sf::Image&)>& check) const;
    sf::Image await(const std::function<bool(const sf::Image&)>& check) const { return await(patience, check); }
    bool appears(const std::function<bool(const sf::Image&)>& check) const { return await(check).getSize().x > 0; }

    // Waits until the window has changed twice: the second new frame was drawn after this call
    // began, so the game's clock has passed the moment of the call. Only for a scene that moves.
    bool awaitNewFrames() const;

    // Waits until the recording reaches the present: every sound played so far is in it. Pause
    // first where a sound the check does not expect could come meanwhile.
    bool awaitRecordingOfNow() const;

    sf::Image shot() const { return screenshot(window); }

    // Moves the window to the screen's corner at that size, so all of it can be read back,
    // and waits until it has that size.
    void resize(unsigned width, unsigned height) const;
    long memoryKilobytes(const char* field) const;       // "VmRSS" or "VmHWM" of the game; 0 once gone
    std::filesystem::path res() const { return folder.res(); }
    std::filesystem::path recording() const { return folder.root / "out.wav"; }

    ScratchFolder folder;
    std::unique_ptr<GameProcess> game;
    unsigned long window = 0;
    std::chrono::steady_clock::time_point launched;     // before the game's sound device opened
    std::chrono::steady_clock::time_point windowShown;  // a moment before the game's first frame
    std::chrono::steady_clock::time_point firstFrameSeen;   // a moment after it
    std::time_t startedInSecond = 0;                    // the clock's second at the last start
};
