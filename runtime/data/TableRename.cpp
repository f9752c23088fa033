#include "runtime/data/TableRename.h"

#include <system_error>

#include "runtime/data/ErrorGuard.h"
#include "runtime/data/FileStorage.h"

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
        code = FileStorage::of(db, decl, schema, from)->rename(to.table);
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
    if (db.has(StorageFeature::FilesInFolder) && !std::filesystem::exists(from.database, ec))
        return db.fail(err::kFileNotFound);
    int code = 0;
    if (from.database == to.database) {
        code = renameInside(db, file.decl(), from, to);
    } else if (from.sharedFile || to.sharedFile) {
        code = db.fail(err::kAccessDenied, 0, "a table cannot move to another file");
    } else if (db.isAttached(from.database)) {
        code = db.fail(err::kFileAlreadyOpen);
    } else {
        code = db.renameDatabase(from.database, to.database);
    }
    if (code == 0) file.setName(std::string(newExternalName));
    return code;
}

}  // namespace cdz
