// Finding the game's sounds in a recording of it, and how loud they play there.
#include "listening.h"

#include <cmath>
#include <complex>

namespace fs = std::filesystem;

// One value per frame, the mean of the channels, in [-1, 1].
static std::vector<double> monoSamples(const sf::SoundBuffer& buffer)
{
    unsigned channels = buffer.getChannelCount();
    std::vector<double> samples(channels ? buffer.getSampleCount() / channels : 0);
    for (std::size_t i = 0; i < samples.size(); i++) {
        double sum = 0;
        for (unsigned c = 0; c < channels; c++)
            sum += buffer.getSamples()[i * channels + c];
        samples[i] = sum / channels / 32768.0;
    }
    return samples;
}

// Linear interpolation, as OpenAL Soft resamples by default.
std::vector<double> resample(const std::vector<double>& samples, unsigned from, unsigned to)
{
    if (from == to || samples.empty())
        return samples;
    double step = double(from) / double(to);
    std::vector<double> out(std::size_t(double(samples.size() - 1) / step) + 1);
    for (std::size_t i = 0; i < out.size(); i++) {
        double at = double(i) * step;
        std::size_t k = std::size_t(at);
        double next = k + 1 < samples.size() ? samples[k + 1] : samples[k];
        out[i] = samples[k] + (next - samples[k]) * (at - double(k));
    }
    return out;
}

// In place, radix 2; the size must be a power of two.
static void fourier(std::vector<std::complex<double>>& a, bool inverse)
{
    std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; i++) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        double angle = 2 * std::acos(-1.0) / double(length) * (inverse ? 1 : -1);
        std::complex<double> turn(std::cos(angle), std::sin(angle));
        for (std::size_t start = 0; start < n; start += length) {
            std::complex<double> w(1);
            for (std::size_t k = 0; k < length / 2; k++, w *= turn) {
                std::complex<double> u = a[start + k], v = a[start + k + length / 2] * w;
                a[start + k] = u + v;
                a[start + k + length / 2] = u - v;
            }
        }
    }
    if (inverse)
        for (std::complex<double>& value : a)
            value /= double(n);
}

// Sum over i of recording[lag + i] * reference[i], for every lag.
static std::vector<double> crossCorrelation(const std::vector<double>& recording, const std::vector<double>& reference)
{
    std::size_t n = 1;
    while (n < recording.size() + reference.size())
        n <<= 1;
    std::vector<std::complex<double>> r(n), p(n);
    std::copy(recording.begin(), recording.end(), r.begin());
    std::copy(reference.begin(), reference.end(), p.begin());
    fourier(r, false);
    fourier(p, false);
    for (std::size_t i = 0; i < n; i++)
        r[i] *= std::conj(p[i]);
    fourier(r, true);
    std::vector<double> sums(recording.size());
    for (std::size_t lag = 0; lag < sums.size(); lag++)
        sums[lag] = r[lag].real();
    return sums;
}

// 1 where a stretch of the recording is the reference at any gain; near 0 for unrelated sound.
// Stretches far quieter than the reference count as silence.
std::vector<double> likeness(const std::vector<double>& recording, const std::vector<double>& reference)
{
    if (reference.empty() || recording.size() < reference.size())
        return {};
    std::vector<double> sums = crossCorrelation(recording, reference);
    std::vector<double> energyBefore(recording.size() + 1, 0);
    for (std::size_t i = 0; i < recording.size(); i++)
        energyBefore[i + 1] = energyBefore[i] + recording[i] * recording[i];
    double referenceEnergy = energyBefore[0];
    for (double sample : reference)
        referenceEnergy += sample * sample;
    std::vector<double> scores(recording.size() - reference.size() + 1, 0);
    for (std::size_t lag = 0; lag < scores.size(); lag++) {
        double stretch = energyBefore[lag + reference.size()] - energyBefore[lag];
        if (stretch > 1e-3 * referenceEnergy)
            scores[lag] = sums[lag] / std::sqrt(stretch * referenceEnergy);
    }
    return scores;
}

Match strongest(const std::vector<double>& scores, unsigned rate, std::size_t skipFrom, std::size_t skipTo)
{
    Match best;
    for (std::size_t lag = 0; lag < scores.size(); lag++)
        if ((lag < skipFrom || lag >= skipTo) && scores[lag] > best.score) {
            best.score = scores[lag];
            best.seconds = double(lag) / rate;
            best.lag = lag;
        }
    return best;
}

// The level of the reference where it matched, in dB against the file: the gain that best fits
// the file to that stretch of the recording, on which neither dither nor unrelated sound weighs.
// For a copy played at a gain it is that gain, the ratio of the two RMS levels.
double levelAt(const Match& match, const std::vector<double>& recording, const std::vector<double>& reference)
{
    double fit = 0, energy = 0;
    for (std::size_t i = 0; i < reference.size() && match.lag + i < recording.size(); i++) {
        fit += recording[match.lag + i] * reference[i];
        energy += reference[i] * reference[i];
    }
    return fit > 0 ? 20 * std::log10(fit / energy) : -INFINITY;
}

Match hear(const std::vector<double>& recording, const std::vector<double>& reference, unsigned rate)
{
    Match match = strongest(likeness(recording, reference), rate);
    match.decibels = levelAt(match, recording, reference);
    return match;
}

SoundLoad loadSoundFile(const fs::path& path)
{
    sf::SoundBuffer buffer;
    SoundLoad sound;
    if (buffer.loadFromFile(path.string())) {
        sound.samples = monoSamples(buffer);
        sound.rate = buffer.getSampleRate();
    }
    return sound;
}

Match hearFile(const fs::path& recording, const fs::path& sound)
{
    SoundLoad heard = loadSoundFile(recording), file = loadSoundFile(sound);
    if (heard.rate == 0 || file.rate == 0)
        return Match();
    return hear(heard.samples, resample(file.samples, file.rate, heard.rate), heard.rate);
}
