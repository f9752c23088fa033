// A data file's bulk adds and reads: the record buffer to and from the stored values of one
// row, over the stream the storage gives (see BulkCopy.h).
#include "runtime/data/DataFile.h"
#include "runtime/data/FileCipher.h"
#include "runtime/data/FileStorage.h"
#include "runtime/data/RecordCodec.h"
#include "runtime/data/Statement.h"

namespace cdz {
namespace {

// What a bulk add says when the storage has no stream of its own.
constexpr const char* kNoBulkPath = "the storage copies a file record by record only";

// Records read per page where the storage has no stream of its own.
constexpr int kPageRows = 1000;

// Pages in record-number order, each a short statement of its own, so that no lock is held
// between them.
class PagedSource final : public BulkSource {
public:
    PagedSource(Database& db, const TableSql& sql, int columns)
        : db_(db),
          sql_("SELECT " + sql.selectList() + " FROM " + sql.ref() + " WHERE " + TableSql::kRecno +
               " > ? ORDER BY " + TableSql::kRecno + " LIMIT " + std::to_string(kPageRows)),
          columns_(columns) {}

    int read(SqlValues* row) override {
        if (next_ == page_.size()) {
            if (int code = fetch()) return code;
            if (page_.empty()) return db_.fail(err::kRecordNotAvailable);
        }
        row->swap(page_[next_++]);
        return 0;
    }

private:
    int fetch() {
        page_.clear();
        next_ = 0;
        Statement stmt = db_.statement(sql_);
        if (!stmt) return db_.error().code;
        stmt.bindInteger(1, last_);
        StepResult rc;
        while ((rc = stmt.step()).row()) {
            SqlValues& r = page_.emplace_back();
            r.reserve(static_cast<size_t>(columns_));
            for (int c = 0; c < columns_; ++c) r.push_back(RecordCodec::column(stmt, c));
        }
        if (!rc.done()) return db_.failStep(rc);
        if (!page_.empty()) last_ = std::get<int64_t>(page_.back()[0]);
        return db_.succeed();
    }

    Database& db_;
    std::string sql_;
    int columns_;
    std::vector<SqlValues> page_;
    size_t next_ = 0;
    int64_t last_ = 0;
};

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
    cursor_.ahead.clear();
    bulkSink_.reset();
    db_.succeed();
    bulkSource_ = FileStorage::of(db_, decl_, sql_.schema(), where_)->bulkSource();
    if (db_.error().code) return db_.error().code;
    if (!bulkSource_) {
        bulkSource_ =
            std::make_unique<PagedSource>(db_, sql_, static_cast<int>(decl_.columns().size()) + 2);
    }
    return db_.succeed();
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
