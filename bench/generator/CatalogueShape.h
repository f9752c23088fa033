#pragma once
// What a generated catalogue is made of; every generator built from the same shape agrees on
// artists, albums and categories, so the songs, albums and categories files fit together.
#include <algorithm>
#include <cstdint>

namespace cdz::gen {

struct CatalogueShape {
    uint64_t seed = 1;
    int64_t songs = 1000000;
    int32_t categories = 200;

    // About one artist for every twelve songs.
    uint32_t artists() const { return static_cast<uint32_t>(std::max<int64_t>(1, songs / 12)); }
};

}  // namespace cdz::gen
