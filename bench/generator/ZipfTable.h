#pragma once
// Skewed choice among n ranks: rank r weighs 1 / (r + 1 + offset) (a Zipf-Mandelbrot law),
// so rank 0 is the most popular. Integer weights keep the choice identical on every machine.
#include <cstdint>
#include <vector>

#include "bench/generator/Rng.h"

namespace cdz::gen {

class ZipfTable {
public:
    ZipfTable(uint32_t count, uint32_t offset);

    uint32_t pick(Rng& rng) const;
    uint32_t size() const { return static_cast<uint32_t>(cumulative_.size()); }

private:
    std::vector<uint64_t> cumulative_;
};

}  // namespace cdz::gen
