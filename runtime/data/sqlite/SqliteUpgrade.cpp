#include <map>
#include <string>
#include <vector>

#include "runtime/data/Database.h"
#include "runtime/data/ErrorGuard.h"
#include "runtime/data/FieldLimits.h"
#include "runtime/data/FileOwner.h"
#include "runtime/data/RecordCodec.h"
#include "runtime/data/StoredColumns.h"
#include "runtime/data/TableSql.h"
#include "runtime/data/sqlite/SqliteFiles.h"

namespace cdz {

namespace {

// Index and trigger names that belong to a table (not SQLite's own automatic indexes).
std::vector<std::pair<std::string, std::string>> dependents(Database& db, const std::string& schema,
                                                            const std::string& table, int* code) {
    std::vector<std::pair<std::string, std::string>> out;
    Statement stmt = db.statement("SELECT type, name FROM " + schema +
                                  ".sqlite_schema WHERE tbl_name = ? AND type IN "
                                  "('index','trigger') AND sql IS NOT NULL");
    if (!stmt) {
        *code = db.error().code;
        return out;
    }
    RecordCodec::bind(stmt, 1, table);
    StepResult rc;
    while ((rc = stmt.step()).row()) {
        out.emplace_back(std::get<std::string>(RecordCodec::column(stmt, 0)),
                         std::get<std::string>(RecordCodec::column(stmt, 1)));
    }
    *code = rc.done() ? 0 : db.failStep(rc);
    return out;
}

std::string clampInteger(const std::string& x, long long lo, long long hi) {
    return "max(" + std::to_string(lo) + ", min(" + std::to_string(hi) + ", CAST(" + x +
           " AS INTEGER)))";
}

// The SQL that turns a stored value into the declared field's value.
std::string converted(const FieldDesc& f, const std::string& old) {
    const std::string x = "coalesce(" + old + ", " + (f.isText() ? "''" : "0") + ")";
    if (f.isText()) {
        // Stored texts are clipped; a narrower field keeps the leading characters.
        return "rtrim(substr(CAST(" + x + " AS TEXT), 1, " + std::to_string(f.width) + "), ' ')";
    }
    const FieldLimits l = limitsOf(f);
    if (l.places == 0) return clampInteger(x, l.lo, l.hi);
    return "max(-" + l.limit + ", min(" + l.limit + ", round(CAST(" + x + " AS REAL), " +
           std::to_string(l.places) + ")))";
}

int runSteps(Database& db, const std::vector<std::string>& steps) {
    for (const auto& s : steps) {
        if (int code = db.exec(s)) return code;
    }
    return 0;
}

int convert(Database& db, const FileDecl& decl, const std::string& schema,
            const std::string& table) {
    std::map<std::string, std::string> stored;
    int code = storedColumns(db, schema, table, &stored);
    if (code) return code;
    const TableSql sql(decl, schema, table);
    const std::string old = table + "__upgrading";
    const std::string oldRef = schema + "." + Database::quote(old);

    std::vector<std::string> steps;
    auto deps = dependents(db, schema, table, &code);
    if (code) return code;
    steps.reserve(deps.size());
    for (const auto& [type, name] : deps) {
        steps.push_back("DROP " + std::string(type == "index" ? "INDEX " : "TRIGGER ") + schema +
                        "." + Database::quote(name));
    }
    if (!stored.empty()) {
        steps.push_back("ALTER TABLE " + sql.ref() + " RENAME TO " + Database::quote(old));
    }
    steps.push_back(sql.createLayoutTable());
    steps.push_back("DELETE FROM " + schema + "." + TableSql::kLayoutTable +
                    " WHERE tbl = " + Database::literal(table));
    // The new table without its keys: copying first and indexing once is much faster.
    const std::vector<std::string> create = sql.createTable();
    steps.push_back(create[0]);
    steps.push_back(create[1]);
    if (!stored.empty()) {
        std::string names = TableSql::kRecno + std::string(", ") + TableSql::kRevision;
        std::string values =
            std::string(stored.count(TableSql::kRecno) ? TableSql::kRecno : "rowid") + ", " +
            (stored.count(TableSql::kRevision) ? TableSql::kRevision : "0");
        for (size_t i = 0; i < decl.columns().size(); ++i) {
            const FieldDesc& f = decl.columns()[i];
            names += ", " + sql.column(static_cast<int>(i));
            values += ", " + (stored.count(f.name) ? converted(f, Database::quote(f.name))
                                                   : converted(f, "NULL"));
        }
        steps.push_back("INSERT INTO " + sql.ref() + "(" + names + ") SELECT " + values + " FROM " +
                        oldRef);
        steps.push_back("DROP TABLE " + oldRef);
    }
    for (int c : sql.foldedColumns()) {
        const auto& name = decl.columns()[static_cast<size_t>(c)].name;
        steps.push_back("UPDATE " + sql.ref() + " SET " + Database::quote(name + "__fold") +
                        " = cdz_sortkey(" + Database::quote(name) + ")");
    }
    if (int failed = runSteps(db, steps)) return failed;
    // Keys only over columns the table has: a key over a missing one would be a key over a
    // constant, and the file could never hold a second record.
    if (int failed = checkStoredColumns(db, sql)) return failed;
    steps.clear();
    for (auto& s : sql.createIndexesAndTriggers()) steps.push_back(std::move(s));
    steps.push_back("UPDATE " + schema + "." + TableSql::kLayoutTable +
                    " SET records = (SELECT count(*) FROM " + sql.ref() +
                    ") WHERE tbl = " + Database::literal(table));
    steps.push_back("PRAGMA " + schema +
                    ".application_id = " + std::to_string(FileOwner::kApplicationId));
    return runSteps(db, steps);
}

}  // namespace

int SqliteFiles::upgrade() {
    // Only the program's own files are converted; any other is left as it is.
    FileOwner owner;
    int code = owner.read(db_, schema_);
    if (!code) code = owner.admits(db_, where_);
    if (!code) code = db_.exec("SAVEPOINT cdz_upgrade");
    if (!code) {
        code = convert(db_, decl_, schema_, where_.table);
        if (code) {
            ErrorGuard keep(db_.error());
            db_.exec("ROLLBACK TO cdz_upgrade; RELEASE cdz_upgrade");
        } else {
            code = db_.exec("RELEASE cdz_upgrade");
        }
    }
    return code;
}

}  // namespace cdz
