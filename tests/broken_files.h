// Damaged pictures and sounds, written where the game expects good ones.
#pragma once

#include <filesystem>
#include <string>

// The first `bytes` bytes of a good file.
void writeTruncated(const std::filesystem::path& path, const std::filesystem::path& good, std::size_t bytes);

void writeRandomBytes(const std::filesystem::path& path, std::size_t bytes);

// A well-formed PNG whose header claims width x height, followed by a few bytes of pixels.
void writePngClaiming(const std::filesystem::path& path, unsigned width, unsigned height);

// A RIFF WAVE file with 200 bytes of samples and a header as described.
struct WavHeader {
    unsigned short format = 1;              // 1 is PCM
    unsigned short channels = 1;
    unsigned sampleRate = 44100;
    unsigned short bitsPerSample = 16;
    unsigned dataBytes = 200;               // what the data chunk claims
    bool dataBeforeFormat = false;
};
void writeWav(const std::filesystem::path& path, const WavHeader& header);

// A good FLAC file, whose header then claims `samples` samples per channel.
void writeFlacClaiming(const std::filesystem::path& path, unsigned long long samples);
