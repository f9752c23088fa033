#pragma once
// The generator's own random source: xoshiro256** seeded through splitmix64. Integer-only, so
// the same seed gives the same catalogue on every machine and standard library.
#include <array>
#include <cstdint>

namespace cdz::gen {

// One splitmix64 step: advances state and returns the mixed value.
uint64_t splitMix64(uint64_t& state);
// A stateless mix of two numbers, used to give every album its own stream.
uint64_t mixSeed(uint64_t seed, uint64_t stream);

// Callers draw values into named locals one statement at a time: C++ leaves the order of
// operands and function arguments open, and two draws in one expression could come out
// swapped on another compiler.
class Rng {
public:
    explicit Rng(uint64_t seed);
    // Starts from a raw state (for checks against the published reference sequence).
    static Rng fromState(const std::array<uint64_t, 4>& state);

    uint64_t next();
    // Uniform in [0, n); 0 when n is 0. Unbiased, by rejection.
    uint64_t below(uint64_t n);
    // Uniform in [lo, hi], lo <= hi.
    int64_t range(int64_t lo, int64_t hi);
    // True with a probability of perMille / 1000.
    bool chance(unsigned perMille);

private:
    Rng() = default;
    std::array<uint64_t, 4> s_{};
};

}  // namespace cdz::gen
