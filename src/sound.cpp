// The sound bank and the ring of voices on which effects overlap.
#include "grimfathom.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

static sf::Uint32 littleEndian(const unsigned char bytes[4])
{
    return sf::Uint32(bytes[0]) | sf::Uint32(bytes[1]) << 8 | sf::Uint32(bytes[2]) << 16 | sf::Uint32(bytes[3]) << 24;
}

// SFML's WAV reader divides by the sample size when it meets the data chunk, so a data chunk
// ahead of the format chunk would end the game with a division by zero. The chunks are walked
// as SFML walks them; anything that is not RIFF WAVE is left for SFML to judge.
static bool formatComesBeforeData(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    char header[12];
    if (!file.read(header, 12) || std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
        return true;
    char id[4];
    unsigned char size[4];
    while (file.read(id, 4) && file.read(reinterpret_cast<char*>(size), 4)) {
        if (std::memcmp(id, "fmt ", 4) == 0)
            return true;
        if (std::memcmp(id, "data", 4) == 0)
            return false;
        file.seekg(std::streamoff(littleEndian(size)), std::ios::cur);
    }
    return true;
}

// Decoded a slice at a time, so memory follows what the file holds: SFML's own loader sizes
// its buffer from the header's claim first, gigabytes for a header that lies. A file that
// ends short of its claim counts as unreadable.
static void decodeInto(sf::SoundBuffer& buffer, const std::string& path)
{
    sf::InputSoundFile file;
    if (!file.openFromFile(path))
        return;
    std::vector<sf::Int16> samples;
    sf::Int16 slice[4096];
    while (sf::Uint64 count = file.read(slice, 4096))
        samples.insert(samples.end(), slice, slice + count);
    if (samples.size() == file.getSampleCount())
        buffer.loadFromSamples(samples.data(), samples.size(), file.getChannelCount(), file.getSampleRate());
}

void loadSound(std::string name)
{
    // Whatever cannot be read still replaces the entry, with an empty buffer that plays silently.
    // Only plain files are opened: on a read error SFML's FLAC probe goes on with bytes it never
    // read, and a directory can keep it at that forever.
    std::string path = "../res/" + name + ".wav";
    sf::SoundBuffer buffer;
    std::error_code unreadable;
    if (std::filesystem::is_regular_file(path, unreadable) && formatComesBeforeData(path))
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
    voices.resize(4);
    loadSound("splash");
    loadSound("explosion");
    loadSound("gameover");
    loadSound("pew");
    loadSound("beepboop");
    jingleSound.setBuffer(soundBank["beepboop"]);
}
