// The changes of a whole data file in the folder: its name, its removal, its making by the first
// of several stations, and the record count and numbering the neutral layer asks for.
#include <chrono>
#include <filesystem>
#include <thread>

#include "runtime/data/Database.h"
#include "runtime/data/ErrorGuard.h"
#include "runtime/data/sqlite/SqliteFiles.h"
#include "runtime/data/sqlite/StaleJournal.h"

namespace cdz {

namespace {

using Clock = std::chrono::steady_clock;

// Whether the layout table lists `table`. A statement of its own: the check runs inside a
// transaction the database's cached statements know nothing of.
int layoutListed(Database& db, const std::string& schema, const std::string& table, bool* listed) {
    const std::string sql = "SELECT count(*) FROM " + schema + "." +
                            std::string(TableSql::kLayoutTable) + " WHERE tbl = ?";
    Statement stmt = db.freshStatement(sql);
    if (!stmt) return db.error().code;
    stmt.bindText(1, table);
    const StepResult rc = stmt.step();
    if (!rc.row()) return db.failStep(rc);
    *listed = stmt.integer(0) != 0;
    return db.succeed();
}

}  // namespace

// One attempt. The first write of the transaction takes the file's write lock, waiting for
// another station's; when the layout table was already there that first statement only reads,
// and the write after it fails at once with 32 if another station writes meanwhile (the caller
// tries again).
int SqliteFiles::createUnlessListed(const std::function<int()>& create) {
    if (int code = db_.exec("BEGIN")) return code;
    int code = db_.exec(sql_.createLayoutTable());
    if (!code) {
        code = db_.exec("UPDATE " + schema_ + "." + std::string(TableSql::kLayoutTable) +
                        " SET stamp = stamp WHERE 0");
    }
    bool listed = false;
    if (!code) code = layoutListed(db_, schema_, sql_.table(), &listed);
    if (!code && !listed) code = create();
    if (!code) code = db_.exec("COMMIT");
    if (code) {
        ErrorGuard keep(db_.error());
        if (db_.transactionOpen()) db_.exec("ROLLBACK");
    }
    return code;
}

int SqliteFiles::createOnce(const std::function<int()>& create) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(db_.lockWait());
    int code = 0;
    while ((code = createUnlessListed(create)) == err::kFileLocked && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return code;
}

int SqliteFiles::rename(const std::string& table) {
    // Indexes and triggers carry the table's name (and the triggers count under it), so they
    // are made again under the new one.
    const TableSql after(decl_, schema_, table);
    std::vector<std::string> steps = sql_.dropIndexesAndTriggers();
    steps.push_back("ALTER TABLE " + sql_.ref() + " RENAME TO " + Database::quote(table));
    steps.push_back("UPDATE " + schema_ + "." + TableSql::kLayoutTable + " SET tbl = " +
                    Database::literal(table) + " WHERE tbl = " + Database::literal(sql_.table()));
    for (auto& s : after.createIndexesAndTriggers()) steps.push_back(std::move(s));
    return runAll(steps, "cdz_rename");
}

int SqliteFiles::numberPastHighest() {
    // SQLite numbers past the highest record by itself.
    return db_.succeed();
}

std::string SqliteFiles::recordCountSql() const {
    return "SELECT records FROM " + schema_ + "." + TableSql::kLayoutTable + " WHERE tbl = ?";
}

int SqliteFiles::removeFile(Database& db, const FileDecl& decl, const FileName& where) {
    std::error_code ec;
    if (!std::filesystem::exists(where.database, ec)) return db.fail(err::kFileNotFound);
    bool dropFile = !where.sharedFile;
    if (where.sharedFile) {
        std::string schema;
        if (int code = db.attach(where.database, false, true, &schema)) return code;
        TableSql sql(decl, schema, where.table);
        std::string layout = schema + "." + TableSql::kLayoutTable;
        int code = db.exec(
            "SAVEPOINT cdz_remove; DROP TABLE IF EXISTS " + sql.ref() + "; DELETE FROM " + layout +
            " WHERE tbl = " + Database::literal(where.table) + "; RELEASE cdz_remove");
        if (!code) {
            Statement left = db.statement("SELECT count(*) FROM " + layout);
            if (left && left.step().row()) dropFile = left.integer(0) == 0;
        }
        {
            ErrorGuard keep(db.error());
            db.detach(where.database);
        }
        if (code) return code;
    }
    if (dropFile) {
        if (db.isAttached(where.database)) return db.fail(err::kFileAlreadyOpen);
        if (!std::filesystem::remove(where.database, ec) || ec) {
            return db.fail(err::kAccessDenied, 0, ec.message());
        }
        std::filesystem::remove(StaleJournal::journalOf(where.database), ec);
    }
    return db.succeed();
}

void SqliteFiles::discardDatabase(const std::filesystem::path& database) {
    std::error_code ec;
    std::filesystem::remove(database, ec);
    std::filesystem::remove(StaleJournal::journalOf(database), ec);
}

int SqliteFiles::renameDatabase(Database& db, const std::filesystem::path& from,
                                const std::filesystem::path& to) {
    std::error_code ec;
    if (std::filesystem::exists(to, ec))
        return db.fail(err::kAccessDenied, 0, to.string() + " exists");
    std::filesystem::rename(from, to, ec);
    return ec ? db.fail(err::kAccessDenied, ec.value(), ec.message()) : db.succeed();
}

}  // namespace cdz
