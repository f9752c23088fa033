#include "runtime/data/sqlite/SqliteFiles.h"

#include <filesystem>

#include "runtime/data/Database.h"
#include "runtime/data/ErrorGuard.h"
#include "runtime/data/FileOwner.h"
#include "runtime/data/StoredColumns.h"

namespace cdz {

SqliteFiles::SqliteFiles(Database& db, const FileDecl& decl, const std::string& schema,
                         const FileName& where)
    : db_(db), decl_(decl), schema_(schema), where_(where), sql_(decl, schema, where.table) {}

int SqliteFiles::runAll(const std::vector<std::string>& steps, const std::string& savepoint) {
    if (int code = db_.exec("SAVEPOINT " + savepoint)) return code;
    for (const auto& s : steps) {
        if (int code = db_.exec(s)) {
            ErrorGuard keep(db_.error());
            db_.exec("ROLLBACK TO " + savepoint + "; RELEASE " + savepoint);
            return code;
        }
    }
    return db_.exec("RELEASE " + savepoint);
}

int SqliteFiles::checkStored(bool* stamped) {
    FileOwner owner;
    if (int code = owner.read(db_, schema_)) return code;
    if (int code = owner.admits(db_, where_)) return code;
    *stamped = owner.stamped();
    const std::string* layout = owner.layoutOf(sql_.table());
    if (!layout) return db_.fail(err::kFileNotFound);
    if (!owner.names().count(sql_.table())) return db_.fail(err::kInvalidDataFile);
    if (*layout != decl_.layoutSignature()) return db_.fail(err::kInvalidRecordLayout);
    // A table altered behind the program's back: rebuilding its keys would build them over
    // columns it does not have.
    if (int code = checkStoredColumns(db_, sql_)) return code;
    for (const auto& n : sql_.indexNames()) {
        if (!owner.names().count(n)) return db_.fail(err::kKeyFileRebuild);
    }
    for (const auto& n : sql_.triggerNames()) {
        if (!owner.names().count(n)) return db_.fail(err::kKeyFileRebuild);
    }
    return db_.succeed();
}

int SqliteFiles::make(const std::string& salt, const std::string& proof) {
    // Never into a database that is not the program's, or that holds another data file.
    FileOwner owner;
    if (int code = owner.read(db_, schema_)) return code;
    if (int code = owner.admits(db_, where_)) return code;
    std::vector<std::string> steps{sql_.createLayoutTable(), "DROP TABLE IF EXISTS " + sql_.ref(),
                                   "DELETE FROM " + schema_ + "." + TableSql::kLayoutTable +
                                       " WHERE tbl = " + Database::literal(where_.table)};
    for (auto& s : sql_.createTable()) steps.push_back(std::move(s));
    if (!salt.empty()) {
        for (auto& s : sql_.createOwner(salt, proof)) steps.push_back(std::move(s));
    }
    steps.push_back("PRAGMA " + schema_ +
                    ".application_id = " + std::to_string(FileOwner::kApplicationId));
    return runAll(steps, "cdz_create");
}

int SqliteFiles::build() {
    if (int code = checkStoredColumns(db_, sql_)) return code;
    std::vector<std::string> steps = sql_.dropIndexesAndTriggers();
    for (int c : sql_.foldedColumns()) {
        const auto& name = decl_.columns()[static_cast<size_t>(c)].name;
        steps.push_back("UPDATE " + sql_.ref() + " SET " + Database::quote(name + "__fold") +
                        " = cdz_sortkey(" + Database::quote(name) + ")");
    }
    for (auto& s : sql_.createIndexesAndTriggers()) steps.push_back(std::move(s));
    steps.push_back("UPDATE " + schema_ + "." + TableSql::kLayoutTable +
                    " SET records = (SELECT count(*) FROM " + sql_.ref() +
                    ") WHERE tbl = " + Database::literal(sql_.table()));
    if (int code = runAll(steps, "cdz_build")) return code;
    return db_.succeed();
}

int SqliteFiles::pack() {
    return db_.exec("VACUUM " + schema_);
}

int64_t SqliteFiles::storedBytes() {
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(where_.database, ec);
    return ec ? -1 : static_cast<int64_t>(bytes);
}

int SqliteFiles::check(std::string* problems) {
    problems->clear();
    Statement stmt = db_.statement("PRAGMA " + schema_ + ".quick_check(5)");
    if (!stmt) return db_.error().code;
    for (;;) {
        const StepResult rc = stmt.step();
        if (rc.done()) break;
        if (!rc.row()) return db_.failStep(rc);
        const std::string line(stmt.text(0));
        if (line == "ok") continue;
        *problems += (problems->empty() ? "" : "|") + line;
    }
    return db_.succeed();
}

}  // namespace cdz
