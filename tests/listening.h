// Finding the game's sounds in a recording of it, and how loud they play there.
#pragma once

#include "sfml_compat.h"

#include <cmath>
#include <cstddef>
#include <filesystem>
#include <vector>

// Every build plays each sound at SFML 2's level, in dB against the file; see soundLevel.
const double referenceDecibels = 20 * std::log10(soundLevel);

// A sound as the tests compare it: one value per frame, the mean of its channels, in [-1, 1].
struct SoundLoad {
    std::vector<double> samples;
    unsigned rate = 0;
};

// The sound in a wave or other file SFML reads; no samples and a rate of 0 if it cannot.
SoundLoad loadSoundFile(const std::filesystem::path& path);

// The samples at another rate, interpolated linearly.
std::vector<double> resample(const std::vector<double>& samples, unsigned from, unsigned to);

// For every lag, how much the stretch of the recording there is like the reference, from 0 to 1.
std::vector<double> likeness(const std::vector<double>& recording, const std::vector<double>& reference);

struct Match {
    double seconds = -1;    // where it starts in the recording
    double score = 0;       // its likeness there
    std::size_t lag = 0;    // the same start, in frames
    double decibels = -INFINITY;    // how loud it plays there against the file, once levelAt has said
};

// The best match of the likeness scores outside the excluded stretch of lags.
Match strongest(const std::vector<double>& scores, unsigned rate, std::size_t skipFrom = 0, std::size_t skipTo = 0);

// How loud the reference plays in the recording where it matched, in dB against the reference.
double levelAt(const Match& match, const std::vector<double>& recording, const std::vector<double>& reference);

// Where the reference plays most like itself in the recording, and how loud; both at one rate.
Match hear(const std::vector<double>& recording, const std::vector<double>& reference, unsigned rate);

// The same for a sound file in a recorded wave file; no match if either cannot be read.
Match hearFile(const std::filesystem::path& recording, const std::filesystem::path& sound);
