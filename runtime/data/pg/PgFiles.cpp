#include "runtime/data/pg/PgFiles.h"

#include <map>
#include <optional>

#include "runtime/data/Database.h"
#include "runtime/data/FieldLimits.h"
#include "runtime/data/pg/PgAddSink.h"
#include "runtime/data/pg/PgBulk.h"
#include "runtime/data/pg/PgCatalogue.h"
#include "runtime/data/pg/PgEngine.h"
#include "runtime/text/SortKey.h"

namespace cdz::pg {
namespace {

// Records folded per statement while building: one round trip each, little memory.
constexpr int kFoldBatch = 5000;

// An array of the server's text form: {"a","b\"c"}.
std::string arrayLiteral(const std::vector<std::string>& items) {
    std::string out = "{";
    for (size_t i = 0; i < items.size(); ++i) {
        out += i ? ",\"" : "\"";
        for (char c : items[i]) {
            if (c == '"' || c == '\\') out += '\\';
            out += c;
        }
        out += '"';
    }
    return out + "}";
}

// A stored value as a number, as the files convert one: a text gives its leading number (0
// when it has none), a blank gives 0.
std::string asNumber(const std::string& old, const PgCatalogue::Column& stored) {
    if (stored.type == "text" || stored.type.starts_with("character")) {
        return "COALESCE(substring(" + old + " FROM '^\\s*([-+]?[0-9]+(\\.[0-9]*)?)')::numeric, 0)";
    }
    return "COALESCE(" + old + "::numeric, 0)";
}

std::string clamped(const std::string& number, long long lo, long long hi) {
    return "GREATEST(" + std::to_string(lo) + ", LEAST(" + std::to_string(hi) + ", trunc(" +
           number + ")))::bigint";
}

// The declared field's value made from its stored column (none: the field is new).
std::string converted(const FieldDesc& f, const PgCatalogue::Column* stored) {
    const std::string old = stored ? PgTableSql::identifier(stored->name) : "";
    if (f.isText()) {
        // Stored texts are clipped; a narrower field keeps the leading characters.
        if (!stored) return "''";
        return "rtrim(substr(COALESCE(" + old + "::text, ''), 1, " + std::to_string(f.width) +
               "), ' ')";
    }
    if (!stored) return "0";
    const std::string n = asNumber(old, *stored);
    const FieldLimits l = limitsOf(f);
    if (l.places == 0) return clamped(n, l.lo, l.hi);
    return "GREATEST(-" + l.limit + ", LEAST(" + l.limit + ", round(" + n + ", " +
           std::to_string(l.places) + ")))::double precision";
}

}  // namespace

PgFiles::PgFiles(PgEngine& engine, const FileDecl& decl, const std::string& schema,
                 const FileName& where)
    : engine_(engine),
      decl_(decl),
      schema_(schema),
      plain_(PgEngine::plainName(schema)),
      where_(where),
      sql_(decl, plain_, where.table) {}

int PgFiles::inTransaction(const std::function<int()>& work) {
    PgConnection& conn = engine_.connection();
    const bool outer = conn.inTransaction();
    if (int code = engine_.execNative(outer ? "SAVEPOINT cdz_file" : "BEGIN")) return code;
    int code = work();
    if (code) {
        conn.cleanUp(outer ? "ROLLBACK TO SAVEPOINT cdz_file; RELEASE SAVEPOINT cdz_file"
                           : "ROLLBACK");
        return code;
    }
    return engine_.execNative(outer ? "RELEASE SAVEPOINT cdz_file" : "COMMIT");
}

int PgFiles::checkStored(bool* stamped) {
    *stamped = true;
    bool exists = false;
    if (int code = engine_.schemaExists(plain_, &exists)) return code;
    PgResult rows;
    if (exists) {
        if (int code =
                engine_.queryNative("SELECT tbl, layout FROM " + PgTableSql::identifier(plain_) +
                                        "." + PgTableSql::kLayoutTable,
                                    {}, &rows)) {
            return code;
        }
    }
    std::optional<std::string> layout;
    std::string other;
    for (int r = 0; r < rows.rows(); ++r) {
        if (rows.text(r, 0) == where_.table) {
            layout = std::string(rows.text(r, 1));
        } else if (other.empty()) {
            other = rows.text(r, 0);
        }
    }
    if (!layout) {
        if (!other.empty() && !where_.sharedFile) {
            return engine_.failWith(err::kInvalidDataFile, plain_ + " holds the data file " +
                                                               other + ", not " + where_.table);
        }
        return engine_.failWith(err::kFileNotFound);
    }
    if (*layout != decl_.layoutSignature()) return engine_.failWith(err::kInvalidRecordLayout);
    PgCatalogue catalogue;
    if (catalogue.read(engine_.connection(), plain_)) return engine_.fail(0);
    // Listed but gone: the file is not what its layout table says.
    if (!catalogue.tables().count(PgTableSql::storedName(where_.table))) {
        return engine_.failWith(err::kInvalidDataFile,
                                "the table " + where_.table + " is listed but not there");
    }
    std::string why = catalogue.columnMismatch(sql_);
    if (!why.empty()) return engine_.failWith(err::kInvalidRecordLayout, why);
    why = catalogue.keyMismatch(sql_);
    if (!why.empty()) return engine_.failWith(err::kKeyFileRebuild, why);
    return engine_.failWith(0);
}

int PgFiles::make(const std::string& salt, const std::string& proof) {
    return inTransaction([&] {
        std::vector<std::string> steps = sql_.createSchema();
        steps.push_back("DROP TABLE IF EXISTS " + sql_.ref());
        steps.push_back("DELETE FROM " + PgTableSql::identifier(plain_) + "." +
                        PgTableSql::kLayoutTable +
                        " WHERE tbl = " + Database::literal(where_.table));
        for (auto& s : sql_.createTable()) steps.push_back(std::move(s));
        if (!salt.empty()) {
            for (auto& s : sql_.createOwner(salt, proof)) steps.push_back(std::move(s));
        }
        for (const auto& s : steps) {
            if (int code = engine_.execNative(s)) return code;
        }
        return 0;
    });
}

int PgFiles::remove() {
    return inTransaction([&] {
        const std::string layout = PgTableSql::identifier(plain_) + "." + PgTableSql::kLayoutTable;
        if (int code =
                engine_.execNative("DROP TABLE IF EXISTS " + sql_.ref() + "; DELETE FROM " +
                                   layout + " WHERE tbl = " + Database::literal(where_.table))) {
            return code;
        }
        PgResult left;
        if (int code = engine_.queryNative("SELECT count(*) FROM " + layout, {}, &left)) {
            return code;
        }
        if (left.text(0, 0) != "0") return 0;
        return engine_.execNative("DROP SCHEMA " + PgTableSql::identifier(plain_) + " CASCADE");
    });
}

int PgFiles::numberPastHighest() {
    return engine_.queryNative(sql_.numberPastHighest(), {});
}

std::unique_ptr<BulkSink> PgFiles::bulkSink() {
    return PgBulkSink::start(engine_, decl_, plain_, where_.table);
}

std::unique_ptr<BulkSource> PgFiles::bulkSource() {
    return PgBulkSource::start(engine_, decl_, plain_, where_.table);
}

std::unique_ptr<AddSink> PgFiles::addSink() {
    return std::make_unique<PgAddSink>(engine_, decl_, plain_, where_.table);
}

std::unique_ptr<PutSink> PgFiles::putSink() {
    return std::make_unique<PgPutSink>(engine_, decl_, plain_, where_.table);
}

int PgFiles::rename(const std::string& table) {
    FileName to = where_;
    to.table = table;
    const PgTableSql after(decl_, plain_, table);
    return inTransaction([&] {
        std::vector<std::string> steps = sql_.dropIndexesAndTriggers();
        steps.push_back("ALTER TABLE " + sql_.ref() + " RENAME TO " +
                        PgTableSql::identifier(table));
        steps.push_back("UPDATE " + PgTableSql::identifier(plain_) + "." +
                        PgTableSql::kLayoutTable + " SET tbl = " + Database::literal(table) +
                        " WHERE tbl = " + Database::literal(where_.table));
        for (auto& s : after.createIndexesAndTriggers()) steps.push_back(std::move(s));
        for (const auto& s : steps) {
            if (int code = engine_.execNative(s)) return code;
        }
        return 0;
    });
}

int PgFiles::refold() {
    for (int c : sql_.foldedColumns()) {
        const std::string source = sql_.column(c);
        const std::string folded = sql_.foldedName(c);
        int64_t last = 0;
        for (;;) {
            PgResult batch;
            if (int code = engine_.queryNative(
                    "SELECT " + std::string(PgTableSql::kRecno) + ", " + source + " FROM " +
                        sql_.ref() + " WHERE " + PgTableSql::kRecno + " > $1 ORDER BY " +
                        PgTableSql::kRecno + " LIMIT " + std::to_string(kFoldBatch),
                    {last}, &batch)) {
                return code;
            }
            if (batch.rows() == 0) break;
            std::vector<std::string> numbers, texts;
            for (int r = 0; r < batch.rows(); ++r) {
                numbers.emplace_back(batch.text(r, 0));
                texts.push_back(sortKey(batch.text(r, 1)));
            }
            last = std::stoll(numbers.back());
            if (int code = engine_.queryNative(
                    "UPDATE " + sql_.ref() + " SET " + folded +
                        " = v.f FROM unnest($1::bigint[], $2::text[]) AS v(r, f) WHERE " +
                        PgTableSql::kRecno + " = v.r",
                    {arrayLiteral(numbers), arrayLiteral(texts)})) {
                return code;
            }
        }
    }
    return 0;
}

int PgFiles::build() {
    return inTransaction([&] {
        for (const auto& s : sql_.dropIndexesAndTriggers()) {
            if (int code = engine_.execNative(s)) return code;
        }
        if (int code = refold()) return code;
        for (const auto& s : sql_.createIndexesAndTriggers()) {
            if (int code = engine_.execNative(s)) return code;
        }
        return engine_.execNative("UPDATE " + PgTableSql::identifier(plain_) + "." +
                                  PgTableSql::kLayoutTable +
                                  " SET records = (SELECT count(*) FROM " + sql_.ref() +
                                  ") WHERE tbl = " + Database::literal(where_.table));
    });
}

int PgFiles::upgrade() {
    bool stamped = true;
    const int found = checkStored(&stamped);
    if (found != err::kInvalidRecordLayout && found != err::kKeyFileRebuild) return found;
    return inTransaction([&] {
        PgCatalogue catalogue;
        if (catalogue.read(engine_.connection(), plain_)) return engine_.fail(0);
        // A table listed but dropped by hand is made afresh, as the files make it.
        const auto table = catalogue.tables().find(PgTableSql::storedName(where_.table));
        std::map<std::string, const PgCatalogue::Column*> stored;
        if (table != catalogue.tables().end()) {
            for (const auto& c : table->second) stored[c.name] = &c;
        }
        const std::string schema = PgTableSql::identifier(plain_);
        const std::string old = schema + "." + PgTableSql::identifier(where_.table + "__upgrading");
        std::vector<std::string> steps;
        if (!stored.empty()) {
            // The old keys go first: index names are the schema's, and the new table takes them.
            PgResult keys;
            if (int code = engine_.queryNative(
                    "SELECT i.relname FROM pg_catalog.pg_index x JOIN pg_catalog.pg_class i ON "
                    "i.oid = x.indexrelid WHERE x.indrelid = $1::regclass AND NOT x.indisprimary",
                    {sql_.ref()}, &keys)) {
                return code;
            }
            for (int r = 0; r < keys.rows(); ++r) {
                steps.push_back("DROP INDEX " + schema + "." +
                                Database::quote(std::string(keys.text(r, 0))));
            }
            steps.push_back("ALTER TABLE " + sql_.ref() + " RENAME TO " +
                            PgTableSql::identifier(where_.table + "__upgrading"));
        }
        steps.push_back("DELETE FROM " + schema + "." + PgTableSql::kLayoutTable +
                        " WHERE tbl = " + Database::literal(where_.table));
        // The new table without its keys: the folded copies are filled before the keys hold.
        const std::vector<std::string> create = sql_.createTable();
        steps.push_back(create[0]);
        steps.push_back(create[1]);
        if (!stored.empty()) {
            std::string names = PgTableSql::kRecno + std::string(", ") + PgTableSql::kRevision;
            std::string values =
                std::string(PgTableSql::kRecno) + ", " +
                (stored.count(PgTableSql::kRevision) ? PgTableSql::kRevision : "0");
            for (size_t i = 0; i < decl_.columns().size(); ++i) {
                const FieldDesc& f = decl_.columns()[i];
                const auto s = stored.find(PgTableSql::storedName(f.name));
                names += ", " + sql_.column(static_cast<int>(i));
                values += ", " + converted(f, s == stored.end() ? nullptr : s->second);
            }
            steps.push_back("INSERT INTO " + sql_.ref() + "(" + names + ") SELECT " + values +
                            " FROM " + old);
            steps.push_back("DROP TABLE " + old);
        }
        for (const auto& s : steps) {
            if (int code = engine_.execNative(s)) return code;
        }
        if (int code = refold()) return code;
        for (const auto& s : sql_.createIndexesAndTriggers()) {
            if (int code = engine_.execNative(s)) return code;
        }
        if (int code = engine_.execNative("UPDATE " + schema + "." + PgTableSql::kLayoutTable +
                                          " SET records = (SELECT count(*) FROM " + sql_.ref() +
                                          ") WHERE tbl = " + Database::literal(where_.table))) {
            return code;
        }
        return numberPastHighest();
    });
}

int PgFiles::pack() {
    return engine_.execNative("VACUUM (FULL, ANALYZE) " + sql_.ref());
}

int64_t PgFiles::storedBytes() {
    PgResult r;
    if (engine_.queryNative("SELECT pg_total_relation_size($1::regclass)", {sql_.ref()}, &r) ||
        r.rows() != 1) {
        return -1;
    }
    return std::stoll(std::string(r.text(0, 0)));
}

int PgFiles::check(std::string* problems) {
    problems->clear();
    PgResult counts;
    if (int code = engine_.queryNative(
            "SELECT (SELECT count(*) FROM " + sql_.ref() + "), (" + sql_.recordCount() + ")", {},
            &counts)) {
        return code;
    }
    if (counts.text(0, 0) != counts.text(0, 1)) {
        *problems = "the record count says " + std::string(counts.text(0, 1)) +
                    " but the table holds " + std::string(counts.text(0, 0));
    }
    // The server's own check of each index's order, where its administrator installed it.
    PgResult amcheck;
    if (int code = engine_.queryNative("SELECT 1 FROM pg_extension WHERE extname = 'amcheck'", {},
                                       &amcheck)) {
        return code;
    }
    if (amcheck.rows() > 0) {
        for (const auto& name : sql_.indexNames()) {
            const std::string index =
                PgTableSql::identifier(plain_) + "." + PgTableSql::identifier(name);
            if (engine_.queryNative(
                    "SELECT bt_index_check(" + Database::literal(index) + "::regclass)", {})) {
                *problems +=
                    (problems->empty() ? "" : "|") + engine_.connection().error().driverText;
            }
        }
    }
    return engine_.failWith(0);
}

std::string PgFiles::recordCountSql() const {
    // A server keeps the open transaction's own changes of the count apart until it commits.
    return "SELECT " + schema_ + "." + PgTableSql::kRecordsFunction + "(?)";
}

int PgFiles::createOnce(const std::function<int()>& create) {
    return engine_.createOnce(schema_, where_.table, create);
}

}  // namespace cdz::pg
