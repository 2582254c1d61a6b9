// Synthesizes each effect as floats, then scales it to a common peak and stores 16-bit mono.
#include "sounds.h"

#include "random.h"
#include "steady.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using Samples = std::vector<float>;

const float rate = float(sampleRate);
const float tau = 6.2831853f;

// Linear ramps in and out: zero on the first and last sample, so nothing clicks.
float fade(std::size_t i, std::size_t count, float attack, float release)
{
    float t = float(i) / rate;
    float left = float(count - 1) / rate - t;
    return std::min({1.0f, t / attack, left / release});
}

// Exponential glide, which the ear hears as an even fall in pitch.
float glide(float from, float to, float t, float length)
{
    float progress = std::min(t / length, 1.0f);
    return from * steady::pow(to / from, progress);
}

// A bright sweep from a whistle down to a buzz, softly squared for bite.
Samples pew()
{
    std::size_t count = std::size_t(0.15f * rate);
    Samples out(count);
    float phase = 0.0f;
    for (std::size_t i = 0; i < count; ++i) {
        float t = float(i) / rate;
        phase += tau * glide(1900.0f, 320.0f, t, 0.15f) / rate;
        float wave = steady::tanh(2.5f * steady::sin(phase));                        // 2.5: nearly square
        out[i] = wave * steady::exp(-t / 0.07f) * fade(i, count, 0.002f, 0.02f);  // 2 ms in, 20 ms out
    }
    return out;
}

// Noise through a closing two-pole low-pass, over a thump that drops an octave and more.
Samples explosion()
{
    std::size_t count = std::size_t(0.6f * rate);
    Samples out(count);
    Random random(0xb0043);
    float rumble = 0.0f;
    float smooth = 0.0f;
    float phase = 0.0f;
    for (std::size_t i = 0; i < count; ++i) {
        float t = float(i) / rate;
        float pole = 1.0f - steady::exp(-tau * glide(1100.0f, 70.0f, t, 0.6f) / rate);  // cutoff falls to 70 Hz
        rumble += pole * (float(random.between(-1.0, 1.0)) - rumble);
        smooth += pole * (rumble - smooth);
        phase += tau * glide(90.0f, 32.0f, t, 0.5f) / rate;
        float thump = steady::sin(phase) * steady::exp(-t / 0.16f);
        float blast = (4.0f * smooth + 1.2f * thump) * steady::exp(-t / 0.2f);   // filtered noise is quiet: lift it
        out[i] = steady::tanh(1.6f * blast) * fade(i, count, 0.004f, 0.08f);      // tanh: a soft, crunchy ceiling
    }
    return out;
}

// A bubble is a short sine whose pitch rises as it shrinks.
void addBubble(Samples& out, float start, float pitch)
{
    float phase = 0.0f;
    for (std::size_t i = std::size_t(start * rate); i < out.size(); ++i) {
        float age = float(i) / rate - start;
        phase += tau * glide(pitch, pitch * 1.9f, age, 0.06f) / rate;
        float swell = std::min(1.0f, age / 0.003f);                             // 3 ms rise, no click
        out[i] += 0.6f * steady::sin(phase) * swell * steady::exp(-age / 0.025f);     // gone in about 0.1 s
    }
}

// Hiss through a band-pass whose centre sinks, like water falling back, with bubbles on top.
Samples splash()
{
    std::size_t count = std::size_t(0.4f * rate);
    Samples out(count);
    Random random(0x5b1a5);
    float low = 0.0f;
    float band = 0.0f;
    for (std::size_t i = 0; i < count; ++i) {
        float t = float(i) / rate;
        float tune = 2.0f * steady::sin(3.14159265f * glide(3200.0f, 500.0f, t, 0.4f) / rate);  // state-variable filter
        float high = float(random.between(-1.0, 1.0)) - low - 0.7f * band;   // 0.7: a broad band
        band += tune * high;
        low += tune * band;
        out[i] = band * steady::exp(-t / 0.11f);
    }
    for (int b = 0; b < 6; ++b) {    // one bubble every 40 ms or so, each at its own pitch
        float start = 0.03f + 0.04f * float(b) + float(random.between(0.0, 0.02));
        addBubble(out, start, float(random.between(420.0, 900.0)));
    }
    for (std::size_t i = 0; i < count; ++i)
        out[i] *= fade(i, count, 0.004f, 0.06f);
    return out;
}

struct Note {
    float start;       // seconds
    float length;      // seconds, release included
    float pitch;       // Hz at the start...
    float endPitch;    // ...gliding to this by the end
    float release;     // seconds of fade at the end
};

float triangle(float cycles)
{
    float f = cycles - std::floor(cycles);
    return 4.0f * std::fabs(f - 0.5f) - 1.0f;
}

// A quarter-duty pulse from its first eight harmonics only: chip-like, but nothing aliases.
float pulse(float cycles)
{
    float sum = 0.0f;
    for (int k = 1; k <= 8; ++k)
        sum += steady::sin(float(k) * 0.7853982f) / float(k) * steady::cos(tau * float(k) * cycles);  // sin(k pi/4)
    return sum;
}

// Notes held past half a second get a gentle vibrato, as a sung sigh would.
void addNote(Samples& out, const Note& note, float (*wave)(float))
{
    std::size_t first = std::size_t(note.start * rate);
    std::size_t count = std::size_t(note.length * rate);
    float cycles = 0.0f;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        float t = float(i) / rate;
        float wobble = note.length > 0.5f ? 1.0f + 0.012f * steady::sin(tau * 5.5f * t) : 1.0f;  // 5.5 Hz, 1.2%
        cycles += glide(note.pitch, note.endPitch, t, note.length) * wobble / rate;
        out[first + i] += wave(cycles) * fade(i, count, 0.006f, note.release);  // 6 ms attack
    }
}

// Three steps down a major triad, then a long sagging low note.
Samples gameOver()
{
    Samples out(std::size_t(1.5f * rate));
    addNote(out, {0.00f, 0.24f, 392.0f, 392.0f, 0.05f}, triangle);    // G4
    addNote(out, {0.27f, 0.24f, 329.6f, 329.6f, 0.05f}, triangle);    // E4
    addNote(out, {0.54f, 0.24f, 261.6f, 261.6f, 0.05f}, triangle);    // C4
    addNote(out, {0.82f, 0.68f, 220.0f, 174.6f, 0.35f}, triangle);    // A3 sinking to F3
    return out;
}

// Beep, boop, beep, boop, beeep: a fifth apart, ending up high on the open note.
Samples beepBoop()
{
    Samples out(std::size_t(0.8f * rate));
    float high = 784.0f;    // G5
    float low = 523.3f;     // C5
    addNote(out, {0.00f, 0.10f, high, high, 0.02f}, pulse);
    addNote(out, {0.13f, 0.10f, low, low, 0.02f}, pulse);
    addNote(out, {0.26f, 0.10f, high, high, 0.02f}, pulse);
    addNote(out, {0.39f, 0.10f, low, low, 0.02f}, pulse);
    addNote(out, {0.52f, 0.28f, high, high, 0.12f}, pulse);
    return out;
}

// Every effect peaks at 0.8 of full scale (about -1.9 dBFS), so none clips and none drowns.
std::vector<std::int16_t> toPcm(const Samples& samples)
{
    float peak = 0.0f;
    for (float s : samples)
        peak = std::max(peak, std::fabs(s));
    std::vector<std::int16_t> pcm(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        pcm[i] = std::int16_t(std::lround(samples[i] / peak * 0.8f * 32767.0f));
    return pcm;
}

} // namespace

Sounds synthesizeSounds()
{
    return {
        {"pew.wav", toPcm(pew())},
        {"explosion.wav", toPcm(explosion())},
        {"splash.wav", toPcm(splash())},
        {"gameover.wav", toPcm(gameOver())},
        {"beepboop.wav", toPcm(beepBoop())},
    };
}
