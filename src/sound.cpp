// The sound bank and the ring of voices on which effects overlap.
#include "grimfathom.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

static std::uint32_t littleEndian(const unsigned char bytes[4])
{
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
}

static unsigned littleEndian16(const unsigned char bytes[2])
{
    return unsigned(bytes[0]) | unsigned(bytes[1]) << 8;
}

// Integer samples of 8, 16, 24 or 32 bits, plainly or in the extensible layout: the WAV sounds
// SFML 2 reads. SFML 3 reads floating-point and other sizes too; the game keeps to the former.
static bool integerSamples(const unsigned char* format, std::streamsize size)
{
    static const unsigned char pcm[16] = {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xaa, 0, 0x38, 0x9b, 0x71};
    if (size < 16)
        return false;
    unsigned tag = littleEndian16(format), bits = littleEndian16(format + 14);
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    return tag == 1 || (tag == 0xfffe && size >= 40 && littleEndian16(format + 18) == bits &&
                        std::memcmp(format + 24, pcm, 16) == 0);
}

// SFML 2's WAV reader divides by the sample size when it meets the data chunk, so a data chunk
// ahead of the format chunk would end the game with a division by zero. The chunks are walked
// as SFML walks them; anything that is not RIFF WAVE is left for SFML to judge.
static bool readableWave(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    char header[12];
    if (!file.read(header, 12) || std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
        return true;
    char id[4];
    unsigned char size[4];
    while (file.read(id, 4) && file.read(reinterpret_cast<char*>(size), 4)) {
        if (std::memcmp(id, "fmt ", 4) == 0) {
            unsigned char format[40];
            file.read(reinterpret_cast<char*>(format), std::min<std::streamsize>(littleEndian(size), 40));
            return integerSamples(format, file.gcount());
        }
        if (std::memcmp(id, "data", 4) == 0)
            return false;
        file.seekg(std::streamoff(littleEndian(size)), std::ios::cur);
    }
    return true;
}

// Decoded a slice at a time, so memory follows what the file holds: SFML's own loader sizes
// its buffer from the header's claim first, gigabytes for a header that lies. A file that
// ends short of its claim counts as unreadable. Reading stops at the claim, as SFML 3 reports
// any read past the end.
static void decodeInto(sf::SoundBuffer& buffer, const std::string& path)
{
    sf::InputSoundFile file;
    if (!file.openFromFile(path))
        return;
    std::vector<std::int16_t> samples;
    std::int16_t slice[4096];
    std::uint64_t claimed = file.getSampleCount();
    while (std::uint64_t count = file.read(slice, std::min<std::uint64_t>(claimed - samples.size(), 4096)))
        samples.insert(samples.end(), slice, slice + count);
    if (samples.size() == claimed)
        (void)loadSamples(buffer, samples, file);
}

void loadSound(std::string name)
{
    // Whatever cannot be read still replaces the entry, with an empty buffer that plays silently.
    // Only plain files are opened: on a read error SFML's FLAC probe goes on with bytes it never
    // read, and a directory can keep it at that forever.
    std::string path = "../res/" + name + ".wav";
    sf::SoundBuffer buffer;
    std::error_code unreadable;
    if (std::filesystem::is_regular_file(path, unreadable) && readableWave(path))
        decodeInto(buffer, path);
    soundBank[name] = buffer;
}

// The voice taken is the one started longest ago: with all four busy, the oldest is cut.
void playSound(std::string name)
{
    sf::Sound& voice = voices[nextVoice];
    nextVoice = int((unsigned(nextVoice) + 1) % voices.size());
    voice.setBuffer(soundBank[name]);
    voice.play();
}

void setUpSounds()
{
    voices.resize(4, unboundSound(noSound));
    loadSound("splash");
    loadSound("explosion");
    loadSound("gameover");
    loadSound("pew");
    loadSound("beepboop");
    jingleSound.setBuffer(soundBank["beepboop"]);
}
