// A data file's adds made together (an import's batch): numbered from the highest number read
// once under the file's write lock, and sent together where the storage has the path for it.
#include <algorithm>
#include <utility>

#include "runtime/data/DataFile.h"
#include "runtime/data/FileCipher.h"
#include "runtime/data/FileStorage.h"
#include "runtime/data/RecordCodec.h"
#include "runtime/data/Statement.h"

namespace cdz {
namespace {

constexpr const char* kNoBatch = "no batch add was begun";
constexpr const char* kBatchFailed = "an earlier add of the batch failed";

}  // namespace

const KeyDesc* DataFile::autoNumbered() const {
    for (const auto& k : decl_.keys()) {
        if (k.autoNumber) return &k;
    }
    return nullptr;
}

// Read holding the write lock, which the transaction then keeps: no other station adds to the
// file before it ends, so the numbers counted on from here are nobody else's.
int DataFile::readHighest(const KeyDesc& key) {
    const std::string sql =
        "SELECT COALESCE(MAX(" + sql_.column(key.components.back()) + "), 0) FROM " + sql_.ref();
    return db_.serialised(sql_.schema(), [&] {
        Statement stmt = db_.statement(sql);
        if (!stmt) return db_.error().code;
        const StepResult rc = stmt.step();
        if (!rc.row()) return db_.failStep(rc);
        batchHighest_ = stmt.integer(0);
        return 0;
    });
}

int DataFile::beginBatchAdd() {
    if (int code = requireWritable()) return code;
    if (!db_.inTransaction()) return db_.fail(err::kTransactionFailed, 0, "no transaction is open");
    cursor_.ahead.clear();
    addSink_.reset();
    batch_ = Batch::OneByOne;
    const KeyDesc* key = autoNumbered();
    // Numbers within each value of the leading components would each need their own highest.
    if (key && key->components.size() > 1) return db_.succeed();
    db_.succeed();
    std::unique_ptr<AddSink> sink = FileStorage::of(db_, decl_, sql_.schema(), where_)->addSink();
    int code = db_.error().code;
    if (!code && sink && key) code = readHighest(*key);
    if (code) {
        batch_ = Batch::None;
        return code;
    }
    if (sink) {
        addSink_ = std::move(sink);
        batch_ = Batch::Together;
    }
    return db_.succeed();
}

int DataFile::batchAdd() {
    switch (batch_) {
        case Batch::None:
            return db_.fail(err::kFileNotOpen, 0, kNoBatch);
        case Batch::Failed:
            return db_.fail(err::kTransactionFailed, 0, kBatchFailed);
        case Batch::OneByOne:
            return add();
        case Batch::Together:
            break;
    }
    if (int code = requireWritable()) return code;
    if (const KeyDesc* key = autoNumbered()) {
        const FieldDesc& field = decl_.columns()[static_cast<size_t>(key->components.back())];
        const int64_t given = field.integer(record_);
        if (given == 0) {
            field.assign(record_, SqlValue{++batchHighest_});
        } else {
            batchHighest_ = std::max(batchHighest_, given);
        }
    }
    RecordCodec::storedRecord(decl_, record_, &bulkRow_, cipher_.get());
    if (int code = addSink_->write(bulkRow_)) {
        addSink_.reset();
        batch_ = Batch::Failed;
        return code;
    }
    // Its record number is given by the storage as the batch goes in.
    recno_ = 0;
    watched_ = false;
    return db_.succeed();
}

int DataFile::endBatchAdd() {
    const Batch was = std::exchange(batch_, Batch::None);
    const std::unique_ptr<AddSink> sink = std::move(addSink_);
    switch (was) {
        case Batch::None:
            return db_.fail(err::kFileNotOpen, 0, kNoBatch);
        case Batch::Failed:
            return db_.fail(err::kTransactionFailed, 0, kBatchFailed);
        case Batch::OneByOne:
            return db_.succeed();
        case Batch::Together:
            break;
    }
    const int code = sink->flush();
    return code ? code : db_.succeed();
}

}  // namespace cdz
