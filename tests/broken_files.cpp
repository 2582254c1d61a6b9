// Writes damaged pictures and sounds byte by byte, as a careless tool or a bad disk would.
#include "broken_files.h"

#include <SFML/Audio/SoundBuffer.hpp>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

static void writeBytes(const fs::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

static Bytes readBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void writeTruncated(const fs::path& path, const fs::path& good, std::size_t bytes)
{
    Bytes content = readBytes(good);
    content.resize(std::min(bytes, content.size()));
    writeBytes(path, content);
}

void writeRandomBytes(const fs::path& path, std::size_t bytes)
{
    std::mt19937 random(std::random_device{}());
    Bytes content(bytes);
    for (unsigned char& byte : content)
        byte = static_cast<unsigned char>(random());
    writeBytes(path, content);
}

static void appendBigEndian(Bytes& bytes, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<unsigned char>(value >> shift));
}

static void appendLittleEndian(Bytes& bytes, std::uint32_t value, int width)
{
    for (int i = 0; i < width; i++)
        bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

static std::uint32_t crc32(const unsigned char* data, std::size_t size)
{
    std::uint32_t crc = 0xffffffffu;
    for (std::size_t i = 0; i < size; i++) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; bit++)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

static void appendPngChunk(Bytes& png, const char* type, const Bytes& data)
{
    appendBigEndian(png, std::uint32_t(data.size()));
    std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    appendBigEndian(png, crc32(png.data() + start, png.size() - start));
}

void writePngClaiming(const fs::path& path, unsigned width, unsigned height)
{
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Bytes header;
    appendBigEndian(header, width);
    appendBigEndian(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0});       // 8-bit RGBA, no interlace
    appendPngChunk(png, "IHDR", header);
    appendPngChunk(png, "IDAT", {0x78, 0x9c, 0x63, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01});  // one zero byte
    appendPngChunk(png, "IEND", {});
    writeBytes(path, png);
}

void writeWav(const fs::path& path, const WavHeader& header)
{
    unsigned blockAlign = header.channels * header.bitsPerSample / 8u;
    Bytes format = {'f', 'm', 't', ' '};
    appendLittleEndian(format, 16, 4);
    appendLittleEndian(format, header.format, 2);
    appendLittleEndian(format, header.channels, 2);
    appendLittleEndian(format, header.sampleRate, 4);
    appendLittleEndian(format, header.sampleRate * blockAlign, 4);
    appendLittleEndian(format, blockAlign, 2);
    appendLittleEndian(format, header.bitsPerSample, 2);
    Bytes data = {'d', 'a', 't', 'a'};
    appendLittleEndian(data, header.dataBytes, 4);
    for (int i = 0; i < 200; i++)
        data.push_back(static_cast<unsigned char>(i * 37));
    Bytes wav = {'R', 'I', 'F', 'F'};
    appendLittleEndian(wav, std::uint32_t(4 + format.size() + data.size()), 4);
    wav.insert(wav.end(), {'W', 'A', 'V', 'E'});
    const Bytes& first = header.dataBeforeFormat ? data : format;
    const Bytes& second = header.dataBeforeFormat ? format : data;
    wav.insert(wav.end(), first.begin(), first.end());
    wav.insert(wav.end(), second.begin(), second.end());
    writeBytes(path, wav);
}

// The total sample count is the low 36 bits of bytes 21 to 25: after "fLaC", the block
// header, and the block sizes, frame sizes, rate, channels and depth of STREAMINFO.
void writeFlacClaiming(const fs::path& path, unsigned long long samples)
{
    std::vector<sf::Int16> tone(4410, 1000);
    sf::SoundBuffer buffer;
    buffer.loadFromSamples(tone.data(), tone.size(), 1, 44100);
    fs::path good = path.string() + ".flac";
    buffer.saveToFile(good.string());
    Bytes flac = readBytes(good);
    fs::remove(good);
    flac[21] = static_cast<unsigned char>((flac[21] & 0xf0) | ((samples >> 32) & 0x0f));
    for (int i = 0; i < 4; i++)
        flac[22 + i] = static_cast<unsigned char>(samples >> (24 - 8 * i));
    writeBytes(path, flac);
}
