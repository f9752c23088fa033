#include "runtime/data/sqlite/FileSalvageCheck.h"

#include <sqlite3.h>

#include <memory>
#include <optional>
#include <vector>

#include "runtime/data/TableSql.h"
#include "runtime/data/sqlite/SqliteConnection.h"
#include "runtime/text/Unicode.h"

namespace cdz {

namespace fs = std::filesystem;

namespace {

struct TableLayout {
    std::string table;
    std::string signature;
};

struct FinalizeStatement {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};

// The tables a file's layout table lists; nullopt when the file, or its layout table, cannot be
// read (not a database, damaged pages, no layout table) or lists nothing.
std::optional<std::vector<TableLayout>> readLayouts(const fs::path& file) {
    SqliteConnection db;
    if (db.open(file.string(), SQLITE_OPEN_READONLY) != SQLITE_OK) return std::nullopt;
    const std::string sql =
        std::string("SELECT tbl, layout FROM ") + TableSql::kLayoutTable + " ORDER BY tbl";
    sqlite3_stmt* rawStmt = nullptr;
    if (sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &rawStmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(rawStmt);
        return std::nullopt;
    }
    const std::unique_ptr<sqlite3_stmt, FinalizeStatement> stmt(rawStmt);
    std::vector<TableLayout> layouts;
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        const auto* table = sqlite3_column_text(stmt.get(), 0);
        const auto* signature = sqlite3_column_text(stmt.get(), 1);
        layouts.push_back({table ? reinterpret_cast<const char*>(table) : "",
                           signature ? reinterpret_cast<const char*>(signature) : ""});
    }
    if (rc != SQLITE_DONE || layouts.empty()) return std::nullopt;
    return layouts;
}

const TableLayout* findTable(const std::vector<TableLayout>& in, const std::string& table) {
    // Table names are matched as the database matches them: without regard to case.
    for (const auto& t : in) {
        if (foldCase(t.table) == foldCase(table)) return &t;
    }
    return nullptr;
}

std::string tableList(const std::vector<TableLayout>& layouts) {
    std::string names;
    for (const auto& t : layouts) names += (names.empty() ? "" : ", ") + t.table;
    return (layouts.size() == 1 ? "table " : "tables ") + names;
}

std::string name(const fs::path& p) {
    return p.filename().string();
}

}  // namespace

std::string exampleMismatch(const fs::path& damaged, const fs::path& example) {
    const auto wanted = readLayouts(example);
    if (!wanted) return name(example) + " is not an example file: its layout cannot be read";
    const auto held = readLayouts(damaged);
    if (!held) {
        // Nothing in the file says what it held: its name is all there is to go by.
        const std::string stem = foldCase(damaged.stem().string());
        const bool named = foldCase(example.stem().string()) == stem ||
                           (wanted->size() == 1 && foldCase(wanted->front().table) == stem);
        if (named) return {};
        return "the layout of " + name(damaged) + " cannot be read, and the example " +
               name(example) + " (" + tableList(*wanted) + ") is not named after it";
    }
    bool sameTables = wanted->size() == held->size();
    for (const auto& t : *wanted) sameTables = sameTables && findTable(*held, t.table);
    if (!sameTables) {
        return "the example " + name(example) + " is of " + tableList(*wanted) + ", but " +
               name(damaged) + " holds " + tableList(*held);
    }
    for (const auto& t : *wanted) {
        if (findTable(*held, t.table)->signature != t.signature) {
            return "the example " + name(example) + " declares table " + t.table +
                   " with another layout than the one " + name(damaged) + " holds";
        }
    }
    return {};
}

}  // namespace cdz
