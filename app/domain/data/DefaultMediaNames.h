#pragma once
// The twelve media names an empty catalogue starts with, in their order, as the program
// writes them (the media field's width cuts the longest when it is stored). Header only, so
// the catalogue generator of the benchmarks shares the list without linking the program.
#include <array>
#include <string_view>

namespace cdz {

inline constexpr std::array<std::string_view, 12> kDefaultMediaNames = {
    "CD",
    "LP",
    "EP",
    "7\" Single",
    "CD Single",
    "Cassette (Dolby B)",
    "Cassette (Dolby C)",
    "Cassette (Dolby S)",
    "Cassette (DBX)",
    "Cassette (HX Pro)",
    "Cassette (Prerecorded)",
    "Other",
};

}  // namespace cdz
