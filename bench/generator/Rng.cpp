#include "bench/generator/Rng.h"

namespace cdz::gen {

namespace {

constexpr uint64_t rotl(uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

}  // namespace

uint64_t splitMix64(uint64_t& state) {
    state += 0x9e3779b97f4a7c15ULL;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

uint64_t mixSeed(uint64_t seed, uint64_t stream) {
    uint64_t state = seed ^ (stream * 0xd1342543de82ef95ULL);
    splitMix64(state);
    return splitMix64(state);
}

Rng::Rng(uint64_t seed) {
    uint64_t state = seed;
    for (auto& word : s_) word = splitMix64(state);
}

Rng Rng::fromState(const std::array<uint64_t, 4>& state) {
    Rng rng;
    rng.s_ = state;
    return rng;
}

uint64_t Rng::next() {
    const uint64_t result = rotl(s_[1] * 5, 7) * 9;
    const uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotl(s_[3], 45);
    return result;
}

uint64_t Rng::below(uint64_t n) {
    if (n == 0) return 0;
    // Values under the threshold would make the low residues more likely.
    const uint64_t threshold = (0 - n) % n;
    for (;;) {
        const uint64_t r = next();
        if (r >= threshold) return r % n;
    }
}

int64_t Rng::range(int64_t lo, int64_t hi) {
    const uint64_t span = static_cast<uint64_t>(hi) - static_cast<uint64_t>(lo) + 1;
    if (span == 0) return static_cast<int64_t>(next());  // the whole 64-bit range
    return static_cast<int64_t>(static_cast<uint64_t>(lo) + below(span));
}

bool Rng::chance(unsigned perMille) {
    return below(1000) < perMille;
}

}  // namespace cdz::gen
