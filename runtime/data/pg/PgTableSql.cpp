#include "runtime/data/pg/PgTableSql.h"

#include <cstdint>
#include <cstdio>

#include "runtime/data/Database.h"
#include "runtime/data/pg/PgDialect.h"

namespace cdz::pg {
namespace {

constexpr const char* kCollate = " COLLATE \"C\"";
// Hex digits of the hash that ends a shortened name, and the separator before them.
constexpr size_t kHashChars = 8;
constexpr uint32_t kFnvOffset = 2166136261u;
constexpr uint32_t kFnvPrime = 16777619u;

// The type as the server's catalogue names it.
std::string typeName(const FieldDesc& f) {
    switch (f.type) {
        case FieldType::String:
        case FieldType::Memo:
            return "text";
        case FieldType::Byte:
        case FieldType::Short:
            return "smallint";
        case FieldType::Long:
            return "integer";
        case FieldType::Decimal:
            // As SQLite stores them: whole numbers exactly, numbers with places as reals.
            return f.decimal.places > 0 ? "double precision" : "bigint";
    }
    return "bigint";
}

std::string sqlType(const FieldDesc& f) {
    return f.isText() ? typeName(f) + kCollate + " NOT NULL DEFAULT ''"
                      : typeName(f) + " NOT NULL DEFAULT 0";
}

std::string prefixed(const std::string& alias, const std::string& name) {
    return alias.empty() ? name : alias + "." + name;
}

std::string param(int& next) {
    return "$" + std::to_string(next++);
}

}  // namespace

std::string PgTableSql::identifier(std::string_view name) {
    return Database::quote(storedName(name));
}

std::string PgTableSql::storedName(std::string_view name) {
    if (name.size() <= kMaxIdentifier) return std::string(name);
    uint32_t hash = kFnvOffset;
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * kFnvPrime;
    size_t cut = kMaxIdentifier - kHashChars - 1;
    // Never inside a character: the server refuses a name that is not UTF-8.
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    char tail[kHashChars + 2];
    std::snprintf(tail, sizeof tail, "_%08x", hash);
    return std::string(name.substr(0, cut)) + tail;
}

PgTableSql::PgTableSql(const FileDecl& decl, std::string schema, std::string table)
    : decl_(&decl), schema_(std::move(schema)), table_(std::move(table)) {
    ref_ = identifier(schema_) + "." + identifier(table_);
    for (int i = 0; i < decl.fieldCount(); ++i) {
        if (decl.needsFolded(i)) folded_.push_back(i);
    }
}

std::string PgTableSql::column(int index, const std::string& alias) const {
    return prefixed(alias, identifier(decl_->columns()[static_cast<size_t>(index)].name));
}

std::string PgTableSql::foldedName(int column) const {
    return identifier(decl_->columns()[static_cast<size_t>(column)].name + "__fold");
}

std::string PgTableSql::copyColumns(bool withRecno) const {
    std::string columns = withRecno ? std::string(kRecno) + ", " + kRevision : kRevision;
    for (size_t i = 0; i < decl_->columns().size(); ++i)
        columns += ", " + column(static_cast<int>(i));
    for (int c : folded_) columns += ", " + foldedName(c);
    return columns;
}

std::string PgTableSql::copyNewRecords(bool withRecno) const {
    return "COPY " + ref_ + "(" + copyColumns(withRecno) + ") FROM STDIN";
}

std::string PgTableSql::rewritesTable() const {
    // Temporary tables share one schema of the connection: named after the schema too.
    return identifier("cdz_put_" + schema_ + "_" + table_);
}

std::string PgTableSql::makeRewrites() const {
    return "CREATE TEMPORARY TABLE IF NOT EXISTS " + rewritesTable() + " (LIKE " + ref_ +
           ") ON COMMIT DROP";
}

std::string PgTableSql::copyRewrites() const {
    return "COPY " + rewritesTable() + "(" + copyColumns(true) + ") FROM STDIN";
}

std::string PgTableSql::applyRewrites() const {
    std::string sql = "WITH cdz_new AS (DELETE FROM " + rewritesTable() + " RETURNING *) UPDATE " +
                      ref_ + " cdz_old SET " + kRevision + " = cdz_old." + kRevision + " + 1";
    for (size_t i = 0; i < decl_->columns().size(); ++i) {
        const std::string name = column(static_cast<int>(i));
        sql += ", " + name + " = cdz_new." + name;
    }
    for (int c : folded_) sql += ", " + foldedName(c) + " = cdz_new." + foldedName(c);
    return sql + " FROM cdz_new WHERE cdz_old." + kRecno + " = cdz_new." + kRecno;
}

bool PgTableSql::keyUsesFolded(const KeyDesc& key, int component) const {
    int c = key.components[static_cast<size_t>(component)];
    return key.noCase && decl_->columns()[static_cast<size_t>(c)].type == FieldType::String;
}

std::string PgTableSql::keyColumn(const KeyDesc& key, int component,
                                  const std::string& alias) const {
    return prefixed(alias, identifier(keyColumnName(key, component)));
}

std::string PgTableSql::keyColumnName(const KeyDesc& key, int component) const {
    const auto& name =
        decl_->columns()[static_cast<size_t>(key.components[static_cast<size_t>(component)])].name;
    return keyUsesFolded(key, component) ? name + "__fold" : name;
}

std::vector<PgTableSql::StoredColumn> PgTableSql::storedColumns() const {
    std::vector<StoredColumn> out{{kRecno, "bigint"}};
    for (const auto& f : decl_->columns()) out.push_back({storedName(f.name), typeName(f)});
    for (int c : folded_) {
        out.push_back(
            {storedName(decl_->columns()[static_cast<size_t>(c)].name + "__fold"), "text"});
    }
    out.push_back({kRevision, "bigint"});
    return out;
}

std::vector<PgTableSql::StoredIndex> PgTableSql::storedIndexes() const {
    const auto names = indexNames();
    std::vector<StoredIndex> out;
    size_t extra = decl_->keys().size();
    for (size_t i = 0; i < decl_->keys().size(); ++i) {
        const auto& k = decl_->keys()[i];
        StoredIndex index{storedName(names[i]), k.unique && !k.blanksRepeat, false, {}};
        for (size_t c = 0; c < k.components.size(); ++c) {
            index.columns.push_back(storedName(keyColumnName(k, static_cast<int>(c))));
        }
        StoredIndex ordering = index;
        if (!ordering.unique) ordering.columns.push_back(kRecno);
        out.push_back(ordering);
        if (k.blanksRepeat) {
            index.name = storedName(names[extra++]);
            index.unique = index.partial = true;
            out.push_back(index);
        }
    }
    return out;
}

std::vector<std::string> PgTableSql::createSchema() const {
    return createSchema(schema_);
}

std::vector<std::string> PgTableSql::createSchema(const std::string& name) {
    const std::string schema = identifier(name);
    const std::string layout = schema + "." + kLayoutTable;
    const std::string pending = schema + "." + kPendingTable;
    // The count and the stamp change once per transaction, as it commits: updating the layout
    // row at every statement would leave the server a version of that row per statement to
    // walk through (a long import, or a copy, would slow to a crawl). Each statement adds its
    // records to a number the transaction keeps in a setting of its own (undone with a
    // savepoint rolled back), and the transaction's first statement on the table adds a row to
    // the pending table, whose deferred trigger applies the number when the transaction ends.
    // A statement that touched nothing leaves both, so a watch sees no change where there was
    // none.
    const std::string key = "'cdz.c' || md5(TG_TABLE_SCHEMA || '/' || TG_ARGV[0])";
    std::vector<std::string> out{
        "CREATE SCHEMA IF NOT EXISTS " + schema,
        "CREATE TABLE IF NOT EXISTS " + layout + "(tbl text" + kCollate +
            " PRIMARY KEY, layout text NOT NULL, records bigint NOT NULL DEFAULT 0, "
            "stamp bigint NOT NULL DEFAULT 0)",
        "CREATE TABLE IF NOT EXISTS " + pending + "(tbl text" + kCollate +
            " NOT NULL, key text NOT NULL, txn bigint NOT NULL DEFAULT txid_current())",
        "CREATE OR REPLACE FUNCTION " + schema + "." + kCountFunction +
            "() RETURNS trigger LANGUAGE plpgsql AS $cdz$ DECLARE n bigint := 0; k text := " + key +
            "; held text; BEGIN "
            "IF TG_OP = 'TRUNCATE' THEN UPDATE " +
            layout +
            " SET records = 0, stamp = stamp + 1 WHERE tbl = TG_ARGV[0]; "
            "IF COALESCE(current_setting(k, true), '') <> '' THEN PERFORM set_config(k, '0', "
            "true); END IF; RETURN NULL; END IF; "
            "SELECT count(*) INTO n FROM cdz_rows; IF n = 0 THEN RETURN NULL; END IF; "
            "IF TG_OP = 'DELETE' THEN n := -n; ELSIF TG_OP = 'UPDATE' THEN n := 0; END IF; "
            "held := COALESCE(current_setting(k, true), ''); "
            "IF held = '' THEN INSERT INTO " +
            pending +
            "(tbl, key) VALUES (TG_ARGV[0], k); held := '0'; END IF; "
            "PERFORM set_config(k, (held::bigint + n)::text, true); RETURN NULL; END $cdz$",
        "CREATE OR REPLACE FUNCTION " + schema +
            ".cdz_apply() RETURNS trigger LANGUAGE plpgsql AS $cdz$ BEGIN UPDATE " + layout +
            " SET records = records + COALESCE(NULLIF(current_setting(NEW.key, true), ''), "
            "'0')::bigint, stamp = stamp + 1 WHERE tbl = NEW.tbl; "
            "PERFORM set_config(NEW.key, '', true); DELETE FROM " +
            pending + " WHERE txn = NEW.txn AND key = NEW.key; RETURN NULL; END $cdz$",
        "DO $cdz$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_trigger WHERE tgname = 'cdz_apply' AND "
        "tgrelid = " +
            Database::literal(pending) +
            "::regclass) THEN CREATE CONSTRAINT TRIGGER cdz_apply AFTER INSERT ON " + pending +
            " DEFERRABLE INITIALLY DEFERRED FOR EACH ROW EXECUTE FUNCTION " + schema +
            ".cdz_apply(); END IF; END $cdz$",
        // The count as this transaction sees it: the stored one and its own changes so far.
        "CREATE OR REPLACE FUNCTION " + schema + "." + kRecordsFunction +
            "(t text) RETURNS bigint LANGUAGE sql STABLE AS $cdz$ SELECT records + "
            "COALESCE(NULLIF(current_setting('cdz.c' || md5(" +
            Database::literal(name) + " || '/' || t), true), ''), '0')::bigint FROM " + layout +
            " WHERE tbl = t $cdz$"};
    // The functions the data layer's SQL calls by SQLite's names.
    for (auto& f : PgDialect::createFunctions()) out.push_back(std::move(f));
    return out;
}

std::vector<std::string> PgTableSql::createOwner(const std::string& salt,
                                                 const std::string& proof) const {
    const std::string owner = identifier(schema_) + "." + kOwnerTable;
    return {"CREATE TABLE IF NOT EXISTS " + owner + "(tbl text" + kCollate +
                " PRIMARY KEY, salt text NOT NULL, proof text NOT NULL)",
            "INSERT INTO " + owner + " VALUES(" + Database::literal(table_) + ", " +
                Database::literal(salt) + ", " + Database::literal(proof) +
                ") ON CONFLICT (tbl) DO UPDATE SET salt = EXCLUDED.salt, proof = EXCLUDED.proof"};
}

std::vector<std::string> PgTableSql::createTable() const {
    // By default rather than always: a copied or restored record keeps its number.
    std::string sql = "CREATE TABLE " + ref_ + "(" + kRecno +
                      " bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY";
    for (size_t i = 0; i < decl_->columns().size(); ++i) {
        sql += ", " + column(static_cast<int>(i)) + " " + sqlType(decl_->columns()[i]);
    }
    for (int c : folded_) {
        sql += ", " + foldedName(c) + " text" + kCollate + " NOT NULL DEFAULT ''";
    }
    sql += std::string(", ") + kRevision + " bigint NOT NULL DEFAULT 0)";
    std::vector<std::string> out{sql};
    out.push_back("INSERT INTO " + identifier(schema_) + "." + kLayoutTable +
                  "(tbl, layout) VALUES(" + Database::literal(table_) + ", " +
                  Database::literal(decl_->layoutSignature()) + ")");
    auto more = createIndexesAndTriggers();
    out.insert(out.end(), more.begin(), more.end());
    return out;
}

std::vector<std::string> PgTableSql::indexNames() const {
    std::vector<std::string> names;
    for (const auto& k : decl_->keys()) names.push_back(table_ + "__" + k.name);
    for (const auto& k : decl_->keys()) {
        if (k.blanksRepeat) names.push_back(table_ + "__" + k.name + "__unique");
    }
    return names;
}

std::vector<std::string> PgTableSql::triggerNames() const {
    return {table_ + "__added", table_ + "__deleted", table_ + "__emptied", table_ + "__changed"};
}

std::string PgTableSql::allBlank(const KeyDesc& key, const std::string& alias) const {
    std::string sql;
    for (size_t c = 0; c < key.components.size(); ++c) {
        const auto& f = decl_->columns()[static_cast<size_t>(key.components[c])];
        sql +=
            (c ? " AND " : "") + column(key.components[c], alias) + (f.isText() ? " = ''" : " = 0");
    }
    return sql;
}

std::vector<std::string> PgTableSql::createIndexesAndTriggers() const {
    std::vector<std::string> out;
    const auto names = indexNames();
    size_t extra = decl_->keys().size();
    for (size_t i = 0; i < decl_->keys().size(); ++i) {
        const auto& k = decl_->keys()[i];
        std::string columns;
        for (size_t c = 0; c < k.components.size(); ++c) {
            const int component = static_cast<int>(c);
            const auto& f = decl_->columns()[static_cast<size_t>(k.components[c])];
            columns += (c ? ", " : "") + keyColumn(k, component) + (f.isText() ? kCollate : "");
        }
        // A key's records in the same order as the view reads them (the key's values, then
        // the record number), so a page reads the index and sorts nothing; a unique key's
        // values alone decide the order.
        auto create = [&](bool unique, const std::string& name) {
            return std::string("CREATE ") + (unique ? "UNIQUE " : "") + "INDEX " +
                   identifier(name) + " ON " + ref_ + "(" + columns +
                   (unique ? std::string() : std::string(", ") + kRecno) + ")";
        };
        // A key whose blanks may repeat orders by a plain index and is kept unique by a
        // partial one that leaves the all-blank records out.
        out.push_back(create(k.unique && !k.blanksRepeat, names[i]));
        if (k.blanksRepeat) {
            out.push_back(create(true, names[extra++]) + " WHERE NOT (" + allBlank(k) + ")");
        }
    }
    const auto triggers = triggerNames();
    const std::string run = " FOR EACH STATEMENT EXECUTE FUNCTION " + identifier(schema_) + "." +
                            kCountFunction + "(" + Database::literal(table_) + ")";
    out.push_back("CREATE TRIGGER " + identifier(triggers[0]) + " AFTER INSERT ON " + ref_ +
                  " REFERENCING NEW TABLE AS cdz_rows" + run);
    out.push_back("CREATE TRIGGER " + identifier(triggers[1]) + " AFTER DELETE ON " + ref_ +
                  " REFERENCING OLD TABLE AS cdz_rows" + run);
    out.push_back("CREATE TRIGGER " + identifier(triggers[2]) + " AFTER TRUNCATE ON " + ref_ + run);
    out.push_back("CREATE TRIGGER " + identifier(triggers[3]) + " AFTER UPDATE ON " + ref_ +
                  " REFERENCING NEW TABLE AS cdz_rows" + run);
    return out;
}

std::vector<std::string> PgTableSql::dropIndexesAndTriggers() const {
    std::vector<std::string> out;
    for (const auto& n : indexNames()) {
        out.push_back("DROP INDEX IF EXISTS " + identifier(schema_) + "." + identifier(n));
    }
    for (const auto& n : triggerNames()) {
        out.push_back("DROP TRIGGER IF EXISTS " + identifier(n) + " ON " + ref_);
    }
    return out;
}

std::string PgTableSql::selectList(const std::string& alias) const {
    std::string sql = prefixed(alias, kRecno) + ", " + prefixed(alias, kRevision);
    for (size_t i = 0; i < decl_->columns().size(); ++i) {
        sql += ", " + column(static_cast<int>(i), alias);
    }
    return sql;
}

std::string PgTableSql::orderBy(const KeyDesc& key, const std::string& alias) const {
    std::string sql;
    for (size_t c = 0; c < key.components.size(); ++c) {
        sql += keyColumn(key, static_cast<int>(c), alias) + ", ";
    }
    return sql + prefixed(alias, kRecno);
}

std::string PgTableSql::after(const KeyDesc& key, int firstParam, const std::string& alias) const {
    int next = firstParam;
    std::string values;
    for (size_t c = 0; c <= key.components.size(); ++c) values += (c ? ", " : "") + param(next);
    return "(" + orderBy(key, alias) + ") > (" + values + ")";
}

std::string PgTableSql::layoutRow() const {
    return identifier(schema_) + "." + kLayoutTable + " WHERE tbl = " + Database::literal(table_);
}

std::string PgTableSql::recordCount() const {
    return "SELECT " + identifier(schema_) + "." + kRecordsFunction + "(" +
           Database::literal(table_) + ")";
}

std::string PgTableSql::recount() const {
    return "UPDATE " + identifier(schema_) + "." + kLayoutTable +
           " SET records = (SELECT count(*) FROM " + ref_ +
           "), stamp = stamp + 1 WHERE tbl = " + Database::literal(table_);
}

std::string PgTableSql::numberPastHighest() const {
    return "SELECT setval(pg_get_serial_sequence(" + Database::literal(ref_) + ", '" + kRecno +
           "'), COALESCE(max(" + kRecno + "), 0) + 1, false) FROM " + ref_;
}

std::string PgTableSql::stamp() const {
    return "SELECT stamp FROM " + layoutRow();
}

std::string PgTableSql::writeLock() const {
    return "SELECT 1 FROM " + layoutRow() + " FOR UPDATE";
}

std::string PgTableSql::insert(const KeyDesc* autoKey) const {
    const int numbered = autoKey ? autoKey->components.back() : -1;
    int next = 1;
    std::string names = kRevision;
    std::string values = "1";
    for (size_t i = 0; i < decl_->columns().size(); ++i) {
        names += ", " + column(static_cast<int>(i));
        if (static_cast<int>(i) != numbered) {
            values += ", " + param(next);
            continue;
        }
        // Numbered inside the statement from the highest number among the records that share
        // the key's leading components.
        std::string sub = "(SELECT COALESCE(MAX(" + column(numbered) + "), 0) + 1 FROM " + ref_;
        for (size_t c = 0; c + 1 < autoKey->components.size(); ++c) {
            sub += (c ? " AND " : " WHERE ") + keyColumn(*autoKey, static_cast<int>(c)) + " = " +
                   param(next);
        }
        values += ", " + sub + ")";
    }
    for (int c : folded_) {
        names += ", " + foldedName(c);
        values += ", " + param(next);
    }
    std::string sql =
        "INSERT INTO " + ref_ + "(" + names + ") VALUES(" + values + ") RETURNING " + kRecno;
    if (numbered >= 0) sql += ", " + column(numbered);
    return sql;
}

std::string PgTableSql::update(bool watched) const {
    int next = 1;
    std::string sql = "UPDATE " + ref_ + " SET " + kRevision + " = " + kRevision + " + 1";
    for (size_t i = 0; i < decl_->columns().size(); ++i) {
        sql += ", " + column(static_cast<int>(i)) + " = " + param(next);
    }
    for (int c : folded_) sql += ", " + foldedName(c) + " = " + param(next);
    sql += std::string(" WHERE ") + kRecno + " = " + param(next);
    if (watched) sql += std::string(" AND ") + kRevision + " = " + param(next);
    return sql;
}

std::string PgTableSql::remove() const {
    return "DELETE FROM " + ref_ + " WHERE " + kRecno + " = $1";
}

std::string PgTableSql::replace(const KeyDesc& key) const {
    const int c = key.components.front();
    int next = 1;
    std::string sql = "UPDATE " + ref_ + " SET " + kRevision + " = " + kRevision + " + 1, " +
                      column(c) + " = " + param(next);
    if (decl_->needsFolded(c)) sql += ", " + foldedName(c) + " = " + param(next);
    return sql + " WHERE " + keyColumn(key, 0) + " = " + param(next);
}

}  // namespace cdz::pg
