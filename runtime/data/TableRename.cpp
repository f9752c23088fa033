#include "runtime/data/TableRename.h"

#include <system_error>

#include "runtime/data/ErrorGuard.h"
#include "runtime/data/pg/PgEngine.h"
#include "runtime/data/pg/PgFiles.h"

namespace cdz {
namespace {

// Whether the layout table lists `table` (0 no, 1 yes, -1 with the error state set).
int listed(Database& db, const std::string& schema, const std::string& table) {
    Statement stmt = db.statement("SELECT count(*) FROM " + schema + "." + TableSql::kLayoutTable +
                                  " WHERE tbl = ?");
    if (!stmt) return -1;
    stmt.bindText(1, table);
    const StepResult rc = stmt.step();
    const int64_t found = rc.row() ? stmt.integer(0) : 0;
    if (!rc.row()) {
        db.failStep(rc);
        return -1;
    }
    return found > 0 ? 1 : 0;
}

int renameInside(Database& db, const FileDecl& decl, const FileName& from, const FileName& to) {
    std::string schema;
    if (int code = db.attach(from.database, false, false, &schema)) return code;
    int code = 0;
    const int source = listed(db, schema, from.table);
    const int target = source == 1 ? listed(db, schema, to.table) : 0;
    if (source < 0 || target < 0) {
        code = db.error().code;
    } else if (source == 0) {
        code = db.fail(err::kFileNotFound);
    } else if (target == 1) {
        code = db.fail(err::kAccessDenied, 0, "a table named " + to.table + " exists");
    } else {
        // Indexes and triggers carry the table's name (and the triggers count under it), so
        // they are made again under the new one.
        if (auto* server = db.server()) {
            code = pg::PgFiles(*server, decl, schema, from).rename(to.table);
            ErrorGuard keep(db.error());
            db.detach(from.database);
            return code;
        }
        const TableSql before(decl, schema, from.table);
        const TableSql after(decl, schema, to.table);
        std::vector<std::string> steps{"SAVEPOINT cdz_rename"};
        for (auto& s : before.dropIndexesAndTriggers()) steps.push_back(std::move(s));
        steps.push_back("ALTER TABLE " + before.ref() + " RENAME TO " + Database::quote(to.table));
        steps.push_back("UPDATE " + schema + "." + TableSql::kLayoutTable +
                        " SET tbl = " + Database::literal(to.table) +
                        " WHERE tbl = " + Database::literal(from.table));
        for (auto& s : after.createIndexesAndTriggers()) steps.push_back(std::move(s));
        steps.push_back("RELEASE cdz_rename");
        for (const auto& s : steps) {
            if ((code = db.exec(s)) != 0) {
                ErrorGuard keep(db.error());
                db.exec("ROLLBACK TO cdz_rename; RELEASE cdz_rename");
                break;
            }
        }
    }
    ErrorGuard keep(db.error());
    db.detach(from.database);
    return code;
}

}  // namespace

int renameTable(DataFile& file, std::string_view newExternalName) {
    Database& db = file.database();
    if (file.isOpen()) return db.fail(err::kFileAlreadyOpen);
    const FileName from = FileName::resolve(file.name(), db.folder(), file.decl().label());
    const FileName to = FileName::resolve(newExternalName, db.folder(), file.decl().label());
    std::error_code ec;
    auto* server = db.server();
    if (!server && !std::filesystem::exists(from.database, ec)) return db.fail(err::kFileNotFound);
    int code = 0;
    if (from.database == to.database) {
        code = renameInside(db, file.decl(), from, to);
    } else if (from.sharedFile || to.sharedFile) {
        code = db.fail(err::kAccessDenied, 0, "a table cannot move to another file");
    } else if (db.isAttached(from.database)) {
        code = db.fail(err::kFileAlreadyOpen);
    } else if (server) {
        code = server->renameSchema(from.database, to.database);
    } else if (std::filesystem::exists(to.database, ec)) {
        code = db.fail(err::kAccessDenied, 0, to.database.string() + " exists");
    } else {
        std::filesystem::rename(from.database, to.database, ec);
        code = ec ? db.fail(err::kAccessDenied, ec.value(), ec.message()) : db.succeed();
    }
    if (code == 0) file.setName(std::string(newExternalName));
    return code;
}

}  // namespace cdz
