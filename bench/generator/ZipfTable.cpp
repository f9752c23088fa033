#include "bench/generator/ZipfTable.h"

#include <algorithm>

namespace cdz::gen {

ZipfTable::ZipfTable(uint32_t count, uint32_t offset) {
    cumulative_.reserve(count);
    uint64_t total = 0;
    for (uint32_t r = 0; r < count; ++r) {
        // 2^40 / (r + 1 + offset) stays far from overflow for any 32-bit count.
        total += (uint64_t{1} << 40) / (uint64_t{r} + 1 + offset);
        cumulative_.push_back(total);
    }
}

uint32_t ZipfTable::pick(Rng& rng) const {
    if (cumulative_.empty()) return 0;
    const uint64_t u = rng.below(cumulative_.back());
    const auto it = std::upper_bound(cumulative_.begin(), cumulative_.end(), u);
    return static_cast<uint32_t>(it - cumulative_.begin());
}

}  // namespace cdz::gen
