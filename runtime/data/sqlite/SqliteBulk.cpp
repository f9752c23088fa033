// A file's bulk adds in the folder: the rows go in without the keys and the count triggers,
// which are made again once for all of them, all inside the file's transaction (SQLite's
// changes of the schema are undone with it).
#include "runtime/data/Database.h"
#include "runtime/data/RecordCodec.h"
#include "runtime/data/Statement.h"
#include "runtime/data/sqlite/SqliteFiles.h"

namespace cdz {
namespace {

class SqliteBulkSink final : public BulkSink {
public:
    SqliteBulkSink(Database& db, const TableSql& sql, std::string schema)
        : db_(db), sql_(sql), schema_(std::move(schema)), insert_(sql.insertKeeping()) {}

    int start() {
        for (const auto& s : sql_.dropIndexesAndTriggers()) {
            if (int code = db_.exec(s)) return code;
        }
        return 0;
    }

    int write(int64_t recno, const SqlValues& columns) override {
        Statement stmt = db_.statement(insert_);
        if (!stmt) return db_.error().code;
        stmt.bindInteger(1, recno);
        int param = 2;
        for (const auto& v : columns) RecordCodec::bind(stmt, param++, v);
        // The statement gives back the number it stored, then ends.
        StepResult rc = stmt.step();
        if (rc.row()) rc = stmt.step();
        return rc.done() ? 0 : db_.failStep(rc);
    }

    int finish() override {
        std::vector<std::string> steps = sql_.createIndexesAndTriggers();
        steps.push_back("UPDATE " + schema_ + "." + TableSql::kLayoutTable +
                        " SET records = (SELECT count(*) FROM " + sql_.ref() +
                        ") WHERE tbl = " + Database::literal(sql_.table()));
        for (const auto& s : steps) {
            if (int code = db_.exec(s)) return code;
        }
        return db_.succeed();
    }

private:
    Database& db_;
    TableSql sql_;
    std::string schema_;
    std::string insert_;
};

}  // namespace

std::unique_ptr<BulkSink> SqliteFiles::bulkSink() {
    if (!db_.inTransaction()) {
        db_.fail(err::kTransactionFailed, 0, "no transaction is open");
        return nullptr;
    }
    auto sink = std::make_unique<SqliteBulkSink>(db_, sql_, schema_);
    if (sink->start()) return nullptr;
    return sink;
}

}  // namespace cdz
