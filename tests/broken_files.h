// Damaged pictures and sounds, written where the game expects good ones.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// The first `bytes` bytes of a good file.
void writeTruncated(const std::filesystem::path& path, const std::filesystem::path& good, std::size_t bytes);

void writeRandomBytes(const std::filesystem::path& path, std::size_t bytes);

// A well-formed PNG whose header claims width x height, followed by a few bytes of pixels.
void writePngClaiming(const std::filesystem::path& path, unsigned width, unsigned height);

// An 80 x 80 PNG whose image data chunk claims `length` bytes, far more than the file holds.
void writePngWithDataClaiming(const std::filesystem::path& path, std::uint32_t length);

// A PNG of width x height transparent pixels, every one of them there: zeros pack a thousand
// to one, so the file is a thousandth of the picture.
void writeBlankPng(const std::filesystem::path& path, unsigned width, unsigned height);

// An 8 x 8 JPEG whose Huffman table gives the first coefficient 17 bits, one more than any JPEG
// has: SFML 2.5's decoder stops the program on an assertion.
void writeJpegWithImpossibleHuffmanValue(const std::filesystem::path& path);

// A Radiance HDR picture that ends right after announcing its first run-length scanline:
// SFML 2.5's decoder reads runs of length 0 from the end of the file for ever.
void writeHdrEndingInItsFirstScanline(const std::filesystem::path& path);

// A RIFF WAVE file with 200 bytes of samples and a header as described.
struct WavHeader {
    unsigned short format = 1;              // 1 is PCM
    unsigned short channels = 1;
    unsigned sampleRate = 44100;
    unsigned short bitsPerSample = 16;
    unsigned dataBytes = 200;               // what the data chunk claims
    bool dataBeforeFormat = false;
    bool listFirst = false;                 // a LIST chunk of text ahead of both
};
void writeWav(const std::filesystem::path& path, const WavHeader& header);

// A good FLAC file, whose header then claims `samples` samples per channel.
void writeFlacClaiming(const std::filesystem::path& path, unsigned long long samples);
