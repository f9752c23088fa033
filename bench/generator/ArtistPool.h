#pragma once
// The catalogue's performers: a fixed number of artists with distinct names, chosen with
// Zipf-like popularity (rank 0 most popular). Names depend only on the seed and the count.
#include <cstdint>
#include <string>
#include <vector>

#include "bench/generator/Rng.h"
#include "bench/generator/ZipfTable.h"

namespace cdz::gen {

class ArtistPool {
public:
    ArtistPool(uint64_t seed, uint32_t artistCount);

    uint32_t pickRank(Rng& rng) const { return popularity_.pick(rng); }
    const std::string& nameOf(uint32_t rank) const { return names_[rank]; }
    const std::string& pickName(Rng& rng) const { return names_[pickRank(rng)]; }
    uint32_t size() const { return static_cast<uint32_t>(names_.size()); }

private:
    ZipfTable popularity_;
    std::vector<std::string> names_;
};

}  // namespace cdz::gen
