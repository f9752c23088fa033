#include "app/domain/opening/MediaSeed.h"

#include "app/domain/data/DefaultMediaNames.h"
#include "app/domain/data/MediaRecord.h"
#include "runtime/data/DataFile.h"

namespace cdz {

namespace {

// Undoes the seeding and keeps the error that caused it.
int giveUp(Database& db) {
    const ErrorState saved = db.error();
    db.rollback();
    db.error() = saved;
    return saved.code;
}

}  // namespace

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
    if (int code = beginTransaction(db, {&media}, kWaitMs)) return code;
    const int64_t stored = media.records();
    if (!db.error().ok()) return giveUp(db);
    if (stored != 0) {
        db.rollback();
        return db.succeed();
    }
    for (std::string_view name : names()) {
        media.clearBuffer();
        record.Media = name;
        if (media.add() != 0) return giveUp(db);
    }
    return db.commit();
}

}  // namespace cdz
