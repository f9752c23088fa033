#include "app/domain/opening/MediaSeed.h"

#include "app/domain/data/DefaultMediaNames.h"
#include "app/domain/data/MediaRecord.h"
#include "runtime/data/DataFile.h"
#include "runtime/data/Transaction.h"

namespace cdz {

const std::array<std::string_view, 12>& MediaSeed::names() {
    return kDefaultMediaNames;
}

int MediaSeed::seedIfEmpty(DataFile& media, MediaRecord& record) {
    Database& db = media.database();
    // A catalogue that has its names is only read, so a station that may not write the file
    // starts without a word; the count that decides is taken again under the write lock.
    const int64_t seen = media.records();
    if (!db.error().ok()) return db.error().code;
    if (seen != 0) return db.succeed();
    Transaction transaction(db, {&media}, kWaitMs);
    if (int code = transaction.began()) return code;
    const int64_t stored = media.records();
    if (!db.error().ok()) return db.error().code;
    if (stored != 0) return db.succeed();  // another station seeded them meanwhile
    for (std::string_view name : names()) {
        media.clearBuffer();
        record.Media = name;
        if (int code = media.add()) return code;
    }
    return transaction.commit();
}

}  // namespace cdz
