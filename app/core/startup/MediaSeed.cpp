#include "app/core/startup/MediaSeed.h"

#include "app/core/data/DefaultMediaNames.h"
#include "app/core/data/MediaRecord.h"
#include "runtime/data/DataFile.h"

namespace cdz {

const std::array<std::string_view, 12>& MediaSeed::names() {
    return kDefaultMediaNames;
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
