#include "runtime/data/CreateIfMissing.h"

#include <chrono>
#include <thread>

#include "runtime/data/pg/PgEngine.h"

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

// One attempt. The first write of the transaction takes the file's write lock, waiting for
// another station's; when the layout table was already there that first statement only reads,
// and the write after it fails at once with 32 if another station writes meanwhile (the caller
// tries again).
int createUnlessListed(DataFile& file, const std::string& schema, const std::string& table) {
    Database& db = file.database();
    if (int code = db.exec("BEGIN")) return code;
    const TableSql sql(file.decl(), schema, table);
    int code = db.exec(sql.createLayoutTable());
    if (!code) {
        code = db.exec("UPDATE " + schema + "." + std::string(TableSql::kLayoutTable) +
                       " SET stamp = stamp WHERE 0");
    }
    bool listed = false;
    if (!code) code = layoutListed(db, schema, table, &listed);
    // The file is attached already, so create() neither attaches nor detaches it.
    if (!code && !listed) code = file.create();
    if (!code) code = db.exec("COMMIT");
    if (code) {
        const ErrorState saved = db.error();
        if (db.transactionOpen()) db.exec("ROLLBACK");
        db.error() = saved;
    }
    return code;
}

}  // namespace

int createIfMissing(DataFile& file) {
    if (file.isOpen()) return file.database().fail(err::kFileAlreadyOpen);
    Database& db = file.database();
    const FileName where = FileName::resolve(file.name(), db.folder(), file.decl().label());
    std::error_code ec;
    std::filesystem::create_directories(where.database.parent_path(), ec);
    std::string schema;
    if (int code = db.attach(where.database, true, true, &schema)) return code;
    if (auto* server = db.server()) {
        const int code = server->createOnce(schema, where.table, [&] { return file.create(); });
        const ErrorState saved = db.error();
        db.detach(where.database);
        db.error() = saved;
        return code;
    }

    const auto deadline = Clock::now() + std::chrono::milliseconds(db.lockWait());
    int code = 0;
    while ((code = createUnlessListed(file, schema, where.table)) == err::kFileLocked &&
           Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const ErrorState saved = db.error();
    db.detach(where.database);
    db.error() = saved;
    return code;
}

}  // namespace cdz
