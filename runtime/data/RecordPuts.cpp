#include "runtime/data/RecordPuts.h"

#include "runtime/data/FileStorage.h"
#include "runtime/data/RecordCodec.h"

namespace cdz {

RecordPuts::RecordPuts(DataFile& file) : file_(file) {
    // An enciphered file's values are sealed by the file itself: put one by one.
    if (file.decl().encrypted() || !file.isOpen()) return;
    Database& db = file.database();
    const FileName where = FileName::resolve(file.name(), db.folder(), file.decl().label());
    sink_ = FileStorage::of(db, file.decl(), file.sql().schema(), where)->putSink();
}

RecordPuts::~RecordPuts() = default;

int RecordPuts::put(const DataFile::Current& current) {
    if (!sink_) {
        file_.setCurrent({current.recno, current.revision, false});
        return file_.put();
    }
    RecordCodec::storedRecord(file_.decl(), file_.record(), &row_);
    return sink_->write(current.recno, row_);
}

int RecordPuts::flush() {
    return sink_ ? sink_->flush() : file_.database().succeed();
}

}  // namespace cdz
