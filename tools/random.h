// A tiny seeded generator, so every run of the asset generator writes the same bytes.
#pragma once

#include <cstdint>

class Random {
public:
    explicit Random(std::uint32_t seed) : state(seed ? seed : 1u) {}

    // xorshift32: the same sequence on every platform, unlike rand().
    std::uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }

    // Uniform in [0, 1).
    double unit() { return double(next() >> 8) / double(1u << 24); }

    // Uniform in [low, high).
    double between(double low, double high) { return low + (high - low) * unit(); }

private:
    std::uint32_t state;
};
