// Writes damaged pictures and sounds byte by byte, as a careless tool or a bad disk would.
#include "broken_files.h"

#include "sfml_compat.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
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

static Bytes png(unsigned width, unsigned height, const Bytes& zlibData)
{
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Bytes header;
    appendBigEndian(header, width);
    appendBigEndian(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0});       // 8-bit RGBA, no interlace
    appendPngChunk(png, "IHDR", header);
    appendPngChunk(png, "IDAT", zlibData);
    appendPngChunk(png, "IEND", {});
    return png;
}

static const Bytes oneZeroByte = {0x78, 0x9c, 0x63, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01};

void writePngClaiming(const fs::path& path, unsigned width, unsigned height)
{
    writeBytes(path, png(width, height, oneZeroByte));
}

// The data chunk's length comes after the signature and the 25 bytes of the header chunk.
void writePngWithDataClaiming(const fs::path& path, std::uint32_t length)
{
    Bytes bytes = png(80, 80, oneZeroByte);
    Bytes claim;
    appendBigEndian(claim, length);
    std::copy(claim.begin(), claim.end(), bytes.begin() + 8 + 25);
    writeBytes(path, bytes);
}

// Deflate packs fields from the least significant bit, Huffman codes from the most significant.
struct BitWriter {
    Bytes bytes;
    int used = 8;                           // bits filled in the last byte
    void field(std::uint32_t value, int bits)
    {
        for (int i = 0; i < bits; i++) {
            if (used == 8) {
                bytes.push_back(0);
                used = 0;
            }
            bytes.back() = static_cast<unsigned char>(bytes.back() | ((value >> i) & 1u) << used++);
        }
    }
    void code(std::uint32_t value, int bits)
    {
        for (int i = bits - 1; i >= 0; i--)
            field(value >> i, 1);
    }
};

// `count` zero bytes as zlib data, in one block whose own codes make a run of 258 zeros cost
// two bits, as zlib's best compression does: a literal zero is "10", the end "11", length 258
// "0" and distance 1 "0". The code lengths are sent with codes of their own: "0" for a run of
// unused symbols, "10" for length 1, "11" for length 2.
static Bytes zlibZeros(std::uint64_t count)
{
    BitWriter out;
    out.bytes = {0x78, 0x01};
    out.field(1, 1);                        // the last block,
    out.field(2, 2);                        // with codes of its own:
    out.field(286 - 257, 5);                // literal/length symbols 0 to 285,
    out.field(1 - 1, 5);                    // one distance symbol,
    out.field(18 - 4, 4);                   // 18 code-length symbols in deflate's order
    for (std::uint32_t length : {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2})
        out.field(length, 3);               // 16 17 18 0 8 7 9 6 10 5 11 4 12 3 13 2 14 1
    out.code(3, 2);                         // literal 0: 2 bits
    out.code(0, 1);                         // 1 to 138 unused
    out.field(138 - 11, 7);
    out.code(0, 1);                         // 139 to 255 unused
    out.field(117 - 11, 7);
    out.code(3, 2);                         // end of block: 2 bits
    out.code(0, 1);                         // 257 to 284 unused
    out.field(28 - 11, 7);
    out.code(2, 2);                         // length 258: 1 bit
    out.code(2, 2);                         // distance 1: 1 bit
    std::uint64_t literals = 1 + (count - 1) % 258;     // a run needs a zero before it
    for (std::uint64_t i = 0; i < literals; i++)
        out.code(2, 2);
    for (std::uint64_t i = 0; i < (count - literals) / 258; i++)
        out.code(0, 2);
    out.code(3, 2);
    appendBigEndian(out.bytes, std::uint32_t(count % 65521) << 16 | 1);     // Adler-32 of zeros
    return out.bytes;
}

void writeBlankPng(const fs::path& path, unsigned width, unsigned height)
{
    writeBytes(path, png(width, height, zlibZeros(std::uint64_t(height) * (1 + 4ull * width))));
}

void writeJpegWithImpossibleHuffmanValue(const fs::path& path)
{
    Bytes jpeg = {0xff, 0xd8, 0xff, 0xdb, 0x00, 0x43, 0x00};     // quantisation table 0,
    jpeg.insert(jpeg.end(), 64, 1);                               // all ones
    jpeg.insert(jpeg.end(), {0xff, 0xc0, 0x00, 0x0b, 8, 0, 8, 0, 8, 1, 1, 0x11, 0});  // 8 x 8 grey
    const unsigned char tables[] = {0x00, 0x10};                  // DC and AC table 0:
    for (unsigned char table : tables) {
        jpeg.insert(jpeg.end(), {0xff, 0xc4, 0x00, 0x14, table, 1}); // one code of one bit,
        jpeg.insert(jpeg.end(), 15, 0);
        jpeg.push_back(table == 0x00 ? 17 : 0);                   // for 17 bits; for end of block
    }
    jpeg.insert(jpeg.end(), {0xff, 0xda, 0x00, 0x08, 1, 1, 0x00, 0, 63, 0});  // the scan
    jpeg.insert(jpeg.end(), 16, 0);
    jpeg.insert(jpeg.end(), {0xff, 0xd9});
    writeBytes(path, jpeg);
}

void writeHdrEndingInItsFirstScanline(const fs::path& path)
{
    std::string header = "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 8 +X 8\n";
    Bytes hdr(header.begin(), header.end());
    hdr.insert(hdr.end(), {2, 2, 0, 8});    // a run-length scanline of 8 pixels, then nothing
    writeBytes(path, hdr);
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
    // 26 bytes of text: a walk that does not skip by the size, or misreads it, loses the
    // chunks' 8-byte rhythm.
    const std::string text("LIST\x1a\0\0\0INFOISFT\x0e\0\0\0Grimfathom 1.0", 34);
    Bytes list = header.listFirst ? Bytes(text.begin(), text.end()) : Bytes();
    Bytes wav = {'R', 'I', 'F', 'F'};
    appendLittleEndian(wav, std::uint32_t(4 + list.size() + format.size() + data.size()), 4);
    wav.insert(wav.end(), {'W', 'A', 'V', 'E'});
    wav.insert(wav.end(), list.begin(), list.end());
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
    std::vector<std::int16_t> tone(4410, 1000);
    sf::SoundBuffer buffer;
    (void)loadSamples(buffer, tone, 1, 44100);
    fs::path good = path.string() + ".flac";
    (void)buffer.saveToFile(good.string());
    Bytes flac = readBytes(good);
    fs::remove(good);
    flac[21] = static_cast<unsigned char>((flac[21] & 0xf0) | ((samples >> 32) & 0x0f));
    for (int i = 0; i < 4; i++)
        flac[22 + i] = static_cast<unsigned char>(samples >> (24 - 8 * i));
    writeBytes(path, flac);
}
