#include "bench/generator/MediaNames.h"

namespace cdz::gen {

const std::array<std::string_view, 12>& mediaNames() {
    static constexpr std::array<std::string_view, 12> kNames = {
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
        // "Cassette (Prerecorded)" has 22 characters; MED:Media and MUS:Media hold 20, so
        // this is the name as the files store it.
        "Cassette (Prerecorde",
        "Other",
    };
    return kNames;
}

}  // namespace cdz::gen
