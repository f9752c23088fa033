#pragma once
// Rewrites of records of an open file made together, inside a transaction over it (a pass's
// batch): where the storage sends them together (a server), they go at flush() in a few
// exchanges; elsewhere each is a put of the record as it is given. Each record once a flush.
#include <memory>

#include "runtime/data/BulkCopy.h"
#include "runtime/data/DataFile.h"

namespace cdz {

class RecordPuts {
public:
    explicit RecordPuts(DataFile& file);
    ~RecordPuts();
    RecordPuts(const RecordPuts&) = delete;
    RecordPuts& operator=(const RecordPuts&) = delete;

    // The buffer as the record `current` names (a put of it, unwatched); 0 or the put's code.
    int put(const DataFile::Current& current);
    // Every rewrite given so far written; kRecordNotAvailable when a record is no longer there.
    int flush();

private:
    DataFile& file_;
    std::unique_ptr<PutSink> sink_;
    SqlValues row_;
};

}  // namespace cdz
