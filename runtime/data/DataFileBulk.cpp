// A data file's bulk adds and reads: the record buffer to and from the stored values of one
// row, over the stream the storage gives (see BulkCopy.h).
#include "runtime/data/DataFile.h"
#include "runtime/data/FileCipher.h"
#include "runtime/data/FileStorage.h"
#include "runtime/data/RecordCodec.h"

namespace cdz {
namespace {

// What a bulk operation says when the storage has no stream of its own.
constexpr const char* kNoBulkPath = "the storage copies a file record by record only";

}  // namespace

int DataFile::beginBulkAdd() {
    if (int code = requireWritable()) return code;
    if (!db_.has(StorageFeature::BulkCopy)) return db_.fail(err::kAccessDenied, 0, kNoBulkPath);
    // Keys set aside are seen by no other station only inside a transaction.
    if (!db_.inTransaction()) return db_.fail(err::kTransactionFailed, 0, "no transaction is open");
    cursor_.ahead.clear();
    bulkSource_.reset();
    bulkSink_ = FileStorage::of(db_, decl_, sql_.schema(), where_)->bulkSink();
    return bulkSink_ ? db_.succeed() : db_.error().code;
}

int DataFile::bulkAdd(int64_t recno) {
    if (!bulkSink_) return db_.fail(err::kFileNotOpen, 0, "no bulk add was begun");
    RecordCodec::storedRecord(decl_, record_, &bulkRow_, cipher_.get());
    if (int code = bulkSink_->write(recno, bulkRow_)) {
        bulkSink_.reset();
        return code;
    }
    recno_ = recno;
    revision_ = 1;
    watched_ = false;
    return 0;
}

int DataFile::endBulkAdd() {
    if (!bulkSink_) return db_.fail(err::kFileNotOpen, 0, "no bulk add was begun");
    const int code = bulkSink_->finish();
    bulkSink_.reset();
    return code ? code : db_.succeed();
}

int DataFile::beginBulkRead() {
    if (int code = requireOpen()) return code;
    if (!db_.has(StorageFeature::BulkCopy)) return db_.fail(err::kAccessDenied, 0, kNoBulkPath);
    cursor_.ahead.clear();
    bulkSink_.reset();
    bulkSource_ = FileStorage::of(db_, decl_, sql_.schema(), where_)->bulkSource();
    return bulkSource_ ? db_.succeed() : db_.error().code;
}

int DataFile::bulkNext() {
    if (!bulkSource_) return db_.fail(err::kFileNotOpen, 0, "no bulk read was begun");
    if (int code = bulkSource_->read(&bulkRow_)) {
        bulkSource_.reset();
        return code;
    }
    if (!loadRow(bulkRow_, 0)) {
        bulkSource_.reset();
        return db_.fail(err::kInvalidDataFile, 0, "the enciphered data of the file does not open");
    }
    return 0;
}

}  // namespace cdz
