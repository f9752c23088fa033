#include "app/core/MediaSeed.h"

#include "app/core/data/MediaRecord.h"
#include "runtime/data/DataFile.h"

namespace cdz {

const std::array<std::string_view, 12>& MediaSeed::names() {
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
        "Cassette (Prerecorded)",
        "Other",
    };
    return kNames;
}

int MediaSeed::seedIfEmpty(DataFile& media, MediaRecord& record) {
    if (media.records() != 0) return media.database().succeed();
    for (std::string_view name : names()) {
        media.clearBuffer();
        record.Media = name;
        if (int code = media.add()) return code;
    }
    return 0;
}

}  // namespace cdz
