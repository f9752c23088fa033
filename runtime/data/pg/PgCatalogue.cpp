#include "runtime/data/pg/PgCatalogue.h"

#include "runtime/data/pg/PgTableSql.h"

namespace cdz::pg {
namespace {

// Ordinary and partitioned tables, their live columns, and the collation a column or index
// column uses when it is not the type's own.
const char* const kColumns =
    "SELECT c.relname, a.attname, format_type(a.atttypid, a.atttypmod), "
    "COALESCE(co.collname, '') FROM pg_catalog.pg_attribute a "
    "JOIN pg_catalog.pg_class c ON c.oid = a.attrelid "
    "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
    "LEFT JOIN pg_catalog.pg_collation co ON co.oid = a.attcollation "
    "WHERE n.nspname = $1 AND c.relkind IN ('r', 'p') AND a.attnum > 0 AND NOT a.attisdropped "
    "ORDER BY c.relname, a.attnum";

// One row per key column of each index; an expression (key number 0) has no column name.
const char* const kIndexColumns =
    "SELECT i.relname, t.relname, x.indisunique, x.indpred IS NOT NULL, "
    "COALESCE(a.attname, ''), COALESCE(format_type(a.atttypid, a.atttypmod), ''), "
    "COALESCE(co.collname, '') FROM pg_catalog.pg_index x "
    "JOIN pg_catalog.pg_class i ON i.oid = x.indexrelid "
    "JOIN pg_catalog.pg_class t ON t.oid = x.indrelid "
    "JOIN pg_catalog.pg_namespace n ON n.oid = t.relnamespace "
    "CROSS JOIN LATERAL unnest(x.indkey::int2[], x.indcollation::oid[]) "
    "WITH ORDINALITY AS k(attnum, coll, pos) "
    "LEFT JOIN pg_catalog.pg_attribute a ON a.attrelid = x.indrelid AND a.attnum = k.attnum "
    "LEFT JOIN pg_catalog.pg_collation co ON co.oid = k.coll "
    "WHERE n.nspname = $1 AND k.pos <= x.indnkeyatts ORDER BY i.relname, k.pos";

const char* const kTriggers =
    "SELECT tg.tgname, t.relname FROM pg_catalog.pg_trigger tg "
    "JOIN pg_catalog.pg_class t ON t.oid = tg.tgrelid "
    "JOIN pg_catalog.pg_namespace n ON n.oid = t.relnamespace "
    "WHERE n.nspname = $1 AND NOT tg.tgisinternal";

std::string text(const PgResult& r, int row, int column) {
    return std::string(r.text(row, column));
}

}  // namespace

int PgCatalogue::read(PgConnection& conn, const std::string& schema) {
    tables_.clear();
    indexes_.clear();
    triggers_.clear();
    const SqlValues params{schema};
    PgResult r;
    if (int code = conn.query(kColumns, params, &r)) return code;
    for (int i = 0; i < r.rows(); ++i) {
        tables_[text(r, i, 0)].push_back({text(r, i, 1), text(r, i, 2), text(r, i, 3)});
    }
    if (int code = conn.query(kIndexColumns, params, &r)) return code;
    for (int i = 0; i < r.rows(); ++i) {
        Index& index = indexes_[text(r, i, 0)];
        index.table = text(r, i, 1);
        index.unique = r.text(i, 2) == "t";
        index.partial = r.text(i, 3) == "t";
        index.columns.push_back({text(r, i, 4), text(r, i, 5), text(r, i, 6)});
    }
    if (int code = conn.query(kTriggers, params, &r)) return code;
    for (int i = 0; i < r.rows(); ++i) triggers_[text(r, i, 0)] = text(r, i, 1);
    return 0;
}

std::string PgCatalogue::mismatch(const PgTableSql& sql) const {
    std::string why = columnMismatch(sql);
    return why.empty() ? keyMismatch(sql) : why;
}

std::string PgCatalogue::columnMismatch(const PgTableSql& sql) const {
    const std::string table = PgTableSql::storedName(sql.table());
    const auto t = tables_.find(table);
    if (t == tables_.end()) return "there is no table " + table;
    std::map<std::string, const Column*> stored;
    for (const auto& c : t->second) stored[c.name] = &c;
    for (const auto& want : sql.storedColumns()) {
        const auto c = stored.find(want.name);
        if (c == stored.end()) return "the table " + table + " has no column " + want.name;
        if (c->second->type != want.type) {
            return "the column " + want.name + " of " + table + " is " + c->second->type +
                   ", not " + want.type;
        }
        if (want.type == "text" && c->second->collation != "C") {
            return "the column " + want.name + " of " + table + " does not compare byte by byte";
        }
    }
    return {};
}

std::string PgCatalogue::keyMismatch(const PgTableSql& sql) const {
    const std::string table = PgTableSql::storedName(sql.table());
    for (const auto& want : sql.storedIndexes()) {
        const auto i = indexes_.find(want.name);
        if (i == indexes_.end() || i->second.table != table) {
            return "the table " + table + " has no index " + want.name;
        }
        std::vector<std::string> columns;
        bool bytewise = true;
        for (const auto& c : i->second.columns) {
            columns.push_back(c.name);
            bytewise = bytewise && (c.type != "text" || c.collation == "C");
        }
        if (columns != want.columns || i->second.unique != want.unique ||
            i->second.partial != want.partial || !bytewise) {
            return "the index " + want.name + " is not the one its key declares";
        }
    }
    for (const auto& name : sql.triggerNames()) {
        const auto trigger = triggers_.find(PgTableSql::storedName(name));
        if (trigger == triggers_.end() || trigger->second != table) {
            return "the table " + table + " has no trigger " + PgTableSql::storedName(name);
        }
    }
    return {};
}

}  // namespace cdz::pg
