#include "runtime/filemgr/FileSalvage.h"

#include <sqlite3.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <set>

#include "runtime/data/Database.h"
#include "runtime/data/RecordCodec.h"
#include "runtime/data/TableSql.h"
#include "runtime/data/sqlite/FileSalvageCheck.h"
#include "runtime/data/sqlite/SqliteConnection.h"
#include "runtime/data/sqlite/SqliteStatement.h"

namespace cdz {

namespace fs = std::filesystem;

namespace {

// A read-only connection to the damaged file, closed on scope exit.
class DamagedFile {
public:
    explicit DamagedFile(const fs::path& file) {
        if (conn_.open(file.string(), SQLITE_OPEN_READONLY) != SQLITE_OK) conn_.close();
    }

    sqlite3* handle() const { return conn_.get(); }

    // Column names of a table; empty when its schema cannot be read.
    std::vector<std::string> columns(const std::string& table) const {
        std::vector<std::string> out;
        Statement stmt =
            prepare("SELECT name FROM pragma_table_info(" + Database::literal(table) + ")");
        if (!stmt) return out;
        while (stmt.step().row()) out.emplace_back(stmt.text(0));
        return out;
    }

    std::optional<int64_t> storedCount(const std::string& table) const {
        Statement stmt = prepare(std::string("SELECT records FROM ") + TableSql::kLayoutTable +
                                 " WHERE tbl = " + Database::literal(table));
        if (!stmt) return std::nullopt;
        std::optional<int64_t> n;
        if (stmt.step().row()) n = stmt.integer(0);
        return n;
    }

    // A statement of the damaged file, finalized when its scope ends; empty when it does not
    // prepare.
    Statement prepare(const std::string& sql) const {
        sqlite3_stmt* stmt = nullptr;
        const int rc =
            conn_ ? sqlite3_prepare_v2(conn_.get(), sql.c_str(), -1, &stmt, nullptr) : SQLITE_ERROR;
        if (rc != SQLITE_OK || stmt == nullptr) {
            sqlite3_finalize(stmt);
            return {};
        }
        return Statement(std::make_shared<SqliteStatement>(stmt));
    }

private:
    SqliteConnection conn_;
};

// Reads the rows of one table in record-number order, stepping over the parts of the file that
// cannot be read.
class RowSalvager {
public:
    RowSalvager(const DamagedFile& file, const std::string& table, std::string recno,
                const std::vector<std::string>& columns)
        : file_(file), recno_(std::move(recno)) {
        std::string list = recno_;
        for (const auto& c : columns) list += ", " + Database::quote(c);
        scanSql_ = "SELECT " + list + " FROM " + Database::quote(table) + " WHERE " + recno_ +
                   " > ? ORDER BY " + recno_;
        probeSql_ = "SELECT " + recno_ + " FROM " + Database::quote(table) + " WHERE " + recno_ +
                    " >= ? ORDER BY " + recno_ + " LIMIT 1";
    }

    // Calls take(row) for each readable row (record number first); returns whether any part
    // could not be read.
    template <class Take>
    bool run(Take take) {
        int64_t after = std::numeric_limits<int64_t>::min();
        std::optional<int64_t> resumedAt;
        bool damaged = false;
        for (;;) {
            Statement stmt = file_.prepare(scanSql_);
            if (!stmt) return true;
            stmt.bindInteger(1, after);
            bool progressed = false;
            StepResult rc;
            while ((rc = stmt.step()).row()) {
                SqlValues row;
                const int n = stmt.columnCount();
                for (int i = 0; i < n; ++i) row.push_back(RecordCodec::column(stmt, i));
                after = std::get<int64_t>(row[0]);
                progressed = true;
                take(row);
            }
            stmt.release();
            if (rc.done()) return damaged;
            damaged = true;
            // The scan broke after `after`. When it broke at once where it resumed, that record
            // itself cannot be read: search past it, so every round moves forward.
            int64_t from = after;
            if (!progressed && resumedAt) from = std::max(from, *resumedAt);
            std::optional<int64_t> resume = nextReadable(from);
            if (!resume) return damaged;
            resumedAt = *resume;
            after = *resume - 1;
        }
    }

private:
    enum class Probe { Row, End, Broken };

    Probe probe(int64_t from, int64_t* found) const {
        Statement stmt = file_.prepare(probeSql_);
        if (!stmt) return Probe::Broken;
        stmt.bindInteger(1, from);
        const StepResult rc = stmt.step();
        if (rc.row()) {
            *found = stmt.integer(0);
            return Probe::Row;
        }
        return rc.done() ? Probe::End : Probe::Broken;
    }

    // The smallest record number above `after` from which a seek works, found by doubling the
    // step over the unreadable part and then halving back to its edge.
    std::optional<int64_t> nextReadable(int64_t after) const {
        if (after == std::numeric_limits<int64_t>::max()) return std::nullopt;
        int64_t bad = after;  // seeks from here fail (or the scan did)
        int64_t step = 1;
        int64_t good = 0;
        int64_t found = 0;
        for (;;) {
            const int64_t at = bad > std::numeric_limits<int64_t>::max() - step
                                   ? std::numeric_limits<int64_t>::max()
                                   : bad + step;
            const Probe p = probe(at, &found);
            if (p == Probe::End) return std::nullopt;
            if (p == Probe::Row) {
                good = at;
                break;
            }
            if (at == std::numeric_limits<int64_t>::max()) return std::nullopt;
            bad = at;
            step = step > std::numeric_limits<int64_t>::max() / 2 ? step : step * 2;
        }
        // Seeks fail on (after, bad] and work from good on: close in on the edge.
        while (good - bad > 1) {
            const int64_t mid = bad + (good - bad) / 2;
            int64_t f = 0;
            if (probe(mid, &f) == Probe::Broken) {
                bad = mid;
            } else {
                good = mid;
            }
        }
        probe(good, &found);
        return found;
    }

    const DamagedFile& file_;
    std::string recno_;
    std::string scanSql_;
    std::string probeSql_;
};

std::vector<std::string> exampleTables(Database& out, const std::string& schema) {
    std::vector<std::string> tables;
    Statement stmt = out.statement("SELECT name FROM " + schema +
                                   ".sqlite_schema WHERE type = 'table' AND name NOT LIKE "
                                   "'sqlite_%' AND name <> '" +
                                   TableSql::kLayoutTable + "'");
    if (!stmt) return tables;
    while (stmt.step().row()) tables.emplace_back(stmt.text(0));
    return tables;
}

// "3 in Cadenzio" for the first record table (one the layout table lists) of `tables` that
// holds records; empty when none does. Other tables (an owner's key) belong to an empty file.
std::string recordsHeld(Database& out, const std::string& schema,
                        const std::vector<std::string>& tables) {
    std::vector<std::string> listed;
    {
        Statement stmt =
            out.statement("SELECT tbl FROM " + schema + "." + std::string(TableSql::kLayoutTable));
        while (stmt && stmt.step().row()) listed.emplace_back(stmt.text(0));
    }
    for (const std::string& t : tables) {
        if (std::find(listed.begin(), listed.end(), t) == listed.end()) continue;
        Statement stmt = out.statement("SELECT count(*) FROM " + schema + "." + Database::quote(t));
        if (stmt && stmt.step().row() && stmt.integer(0) > 0)
            return std::to_string(stmt.integer(0)) + " in " + t;
    }
    return {};
}

std::vector<std::string> outputColumns(Database& out, const std::string& schema,
                                       const std::string& table) {
    std::vector<std::string> cols;
    Statement stmt =
        out.statement("SELECT name FROM pragma_table_info(" + Database::literal(table) + ", " +
                      Database::literal(schema) + ")");
    if (!stmt) return cols;
    while (stmt.step().row()) cols.emplace_back(stmt.text(0));
    return cols;
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

SalvagedTable salvageTable(Database& out, const std::string& schema, const DamagedFile& damaged,
                           const std::string& table) {
    SalvagedTable result;
    result.table = table;
    const std::vector<std::string> wanted = outputColumns(out, schema, table);
    const std::vector<std::string> have = damaged.columns(table);
    if (have.empty()) {
        result.note = "the table could not be read";
        return result;
    }
    const std::set<std::string> haveSet(have.begin(), have.end());
    std::vector<std::string> common;
    std::vector<std::string> folded;
    for (const auto& c : wanted) {
        if (c == TableSql::kRecno) continue;
        if (endsWith(c, "__fold")) {
            folded.push_back(c);
            continue;  // made anew from the text it folds
        }
        if (haveSet.count(c)) common.push_back(c);
    }
    const std::string recno = haveSet.count(TableSql::kRecno) ? TableSql::kRecno : "rowid";

    std::string names = TableSql::kRecno;
    std::string marks = "?";
    for (const auto& c : common) {
        names += ", " + Database::quote(c);
        marks += ", ?";
    }
    const std::string insert = "INSERT OR IGNORE INTO " + schema + "." + Database::quote(table) +
                               "(" + names + ") VALUES(" + marks + ")";
    int64_t refused = 0;
    RowSalvager salvager(damaged, table, recno, common);
    const bool broken = salvager.run([&](const SqlValues& row) {
        Statement stmt = out.statement(insert);
        if (!stmt) return;
        for (size_t i = 0; i < row.size(); ++i) {
            RecordCodec::bind(stmt, static_cast<int>(i) + 1, row[i]);
        }
        if (stmt.step().done() && out.changes() == 1) {
            ++result.saved;
        } else {
            ++refused;
        }
    });
    for (const auto& f : folded) {
        const std::string source = f.substr(0, f.size() - 6);
        out.exec("UPDATE " + schema + "." + Database::quote(table) + " SET " + Database::quote(f) +
                 " = cdz_sortkey(" + Database::quote(source) + ")");
    }
    if (auto stored = damaged.storedCount(table)) {
        result.lost = std::max<int64_t>(0, *stored - result.saved);
    } else if (!broken && refused == 0) {
        result.lost = 0;
    }
    if (broken) result.note = "parts of the table could not be read";
    if (refused)
        result.note += (result.note.empty() ? "" : "; ") + std::to_string(refused) +
                       " records broke a unique key";
    return result;
}

std::string renameFailure(const fs::path& from, const fs::path& to, const std::error_code& ec) {
    return "cannot rename " + from.string() + " to " + to.string() + ": " + ec.message();
}

bool taken(const fs::path& p) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec)) ||
           fs::exists(fs::symlink_status(p.string() + "-journal", ec));
}

// The first free name among FILE.damaged, FILE.damaged.1, FILE.damaged.2, ...: every earlier
// copy stays, since each may be the only one of what the file once held.
fs::path freeCopyName(const fs::path& damaged) {
    const std::string base = damaged.string() + ".damaged";
    fs::path p = base;
    for (int n = 1; taken(p); ++n) p = base + "." + std::to_string(n);
    return p;
}

// Puts the rebuilt file under the damaged file's name and keeps the damaged file (and any journal
// it left, which would otherwise be played back into the rebuilt file) as `kept`. The name never
// stands empty: the damaged file gets a second name first, and the rebuilt file then replaces it
// in one rename. On failure everything goes back as it was; when it cannot, *moved is set and
// *error says where the file or its journal is.
bool putInPlace(const fs::path& rebuilt, const fs::path& damaged, const fs::path& kept,
                std::string* error, bool* moved) {
    std::error_code ec;
    const fs::path journal = damaged.string() + "-journal";
    const fs::path keptJournal = kept.string() + "-journal";
    const bool hadJournal = fs::exists(fs::symlink_status(journal, ec));
    if (hadJournal) {
        fs::rename(journal, keptJournal, ec);
        if (ec) {
            *error = renameFailure(journal, keptJournal, ec);
            return false;
        }
    }
    auto undo = [&](std::string why) {
        std::error_code back;
        if (hadJournal) fs::rename(keptJournal, journal, back);
        *error = std::move(why);
        if (back) {
            *error += "; the damaged file's journal is left as " + keptJournal.string();
            *moved = true;
        }
        return false;
    };

    fs::create_hard_link(damaged, kept, ec);
    if (!ec) {
        fs::rename(rebuilt, damaged, ec);
        if (!ec) return true;
        const std::string why = renameFailure(rebuilt, damaged, ec);
        fs::remove(kept, ec);
        return undo(why);
    }
    // A file system without hard links: move the damaged file aside and back on failure.
    fs::rename(damaged, kept, ec);
    if (ec) return undo(renameFailure(damaged, kept, ec));
    fs::rename(rebuilt, damaged, ec);
    if (!ec) return true;
    std::string why = renameFailure(rebuilt, damaged, ec);
    fs::rename(kept, damaged, ec);
    if (ec) {
        // Said as it is: the file is not under its own name, but it is kept.
        *error = why + "; the damaged file could not be moved back and is kept as " + kept.string();
        *moved = true;
        return false;
    }
    return undo(why);
}

}  // namespace

int64_t SalvageReport::saved() const {
    int64_t n = 0;
    for (const auto& t : tables) n += t.saved;
    return n;
}

int64_t SalvageReport::lost() const {
    int64_t n = 0;
    for (const auto& t : tables) {
        if (t.lost < 0) return -1;
        n += t.lost;
    }
    return n;
}

bool salvageFile(const fs::path& damaged, const fs::path& example, SalvageReport* report,
                 std::string* error) {
    *report = SalvageReport{};
    std::error_code ec;
    if (!fs::exists(damaged, ec)) {
        *error = damaged.string() + " does not exist";
        return false;
    }
    if (!fs::is_regular_file(damaged, ec)) {
        *error = damaged.string() + " is not a file";
        return false;
    }
    if (!fs::exists(example, ec)) {
        *error = "the example file " + example.string() + " does not exist";
        return false;
    }
    if (fs::equivalent(damaged, example, ec)) {
        *error = "the example file is the file itself; give an empty file of its layout";
        report->exampleRefused = true;
        return false;
    }
    if (std::string why = exampleMismatch(damaged, example); !why.empty()) {
        *error = std::move(why);
        return false;
    }
    const fs::path rebuilt = damaged.string() + ".rebuilding";
    fs::remove(rebuilt, ec);
    fs::remove(rebuilt.string() + "-journal", ec);
    if (!fs::copy_file(example, rebuilt, fs::copy_options::overwrite_existing, ec)) {
        *error = "cannot copy the example file: " + ec.message();
        return false;
    }

    std::vector<SalvagedTable> tables;
    {
        Database out(rebuilt.parent_path());
        std::string schema;
        if (out.attach(rebuilt, false, true, &schema) != 0) {
            *error = "the example file cannot be read: " + out.error().driverText;
            fs::remove(rebuilt, ec);
            return false;
        }
        const std::vector<std::string> names = exampleTables(out, schema);
        if (names.empty()) {
            *error = "the example file holds no table";
            out.detach(rebuilt);
            fs::remove(rebuilt, ec);
            return false;
        }
        // The example's records would be taken for the damaged file's.
        if (std::string held = recordsHeld(out, schema, names); !held.empty()) {
            *error = "the example file holds records (" + held + "); give an empty file";
            report->exampleRefused = true;
            out.detach(rebuilt);
            fs::remove(rebuilt, ec);
            return false;
        }
        DamagedFile source(damaged);
        out.exec("BEGIN");
        for (const auto& t : names) tables.push_back(salvageTable(out, schema, source, t));
        if (out.exec("COMMIT") != 0) {
            *error = "cannot write the rebuilt file: " + out.error().driverText;
            out.exec("ROLLBACK");
            out.detach(rebuilt);
            fs::remove(rebuilt, ec);
            return false;
        }
        out.detach(rebuilt);
    }

    const fs::path kept = freeCopyName(damaged);
    bool moved = false;
    if (!putInPlace(rebuilt, damaged, kept, error, &moved)) {
        fs::remove(rebuilt, ec);
        report->untouched = !moved;
        return false;
    }
    report->tables = std::move(tables);
    report->keptAs = kept;
    return true;
}

}  // namespace cdz
