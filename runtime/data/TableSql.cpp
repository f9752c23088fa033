#include "runtime/data/TableSql.h"

#include <algorithm>

#include "runtime/data/Database.h"

namespace cdz {
namespace {

std::string sqlType(const FieldDesc& f) {
    switch (f.type) {
        case FieldType::String:
        case FieldType::Memo:
            return "TEXT NOT NULL DEFAULT ''";
        case FieldType::Decimal:
            return f.decimal.places > 0 ? "REAL NOT NULL DEFAULT 0" : "INTEGER NOT NULL DEFAULT 0";
        default:
            return "INTEGER NOT NULL DEFAULT 0";
    }
}

std::string prefixed(const std::string& alias, const std::string& name) {
    return alias.empty() ? name : alias + "." + name;
}

}  // namespace

TableSql::TableSql(const FileDecl& decl, std::string schema, std::string table)
    : decl_(&decl), schema_(std::move(schema)), table_(std::move(table)) {
    ref_ = schema_ + "." + Database::quote(table_);
    for (int i = 0; i < decl.fieldCount(); ++i) {
        if (decl.needsFolded(i)) folded_.push_back(i);
    }
}

std::string TableSql::column(int index, const std::string& alias) const {
    return prefixed(alias, Database::quote(decl_->columns()[static_cast<size_t>(index)].name));
}

bool TableSql::keyUsesFolded(const KeyDesc& key, int component) const {
    int c = key.components[static_cast<size_t>(component)];
    return key.noCase && decl_->columns()[static_cast<size_t>(c)].type == FieldType::String;
}

std::string TableSql::keyColumn(const KeyDesc& key, int component, const std::string& alias) const {
    int c = key.components[static_cast<size_t>(component)];
    if (keyUsesFolded(key, component)) {
        return prefixed(alias,
                        Database::quote(decl_->columns()[static_cast<size_t>(c)].name + "__fold"));
    }
    return column(c, alias);
}

std::string TableSql::createLayoutTable() const {
    return "CREATE TABLE IF NOT EXISTS " + schema_ + "." + kLayoutTable +
           "(tbl TEXT PRIMARY KEY, layout TEXT NOT NULL, records INTEGER NOT NULL DEFAULT 0, "
           "stamp INTEGER NOT NULL DEFAULT 0)";
}

std::vector<std::string> TableSql::createTable() const {
    std::string sql = "CREATE TABLE " + ref_ + "(" + kRecno + " INTEGER PRIMARY KEY";
    for (size_t i = 0; i < decl_->columns().size(); ++i) {
        sql += ", " + column(static_cast<int>(i)) + " " + sqlType(decl_->columns()[i]);
    }
    for (int c : folded_) {
        sql += ", " + Database::quote(decl_->columns()[static_cast<size_t>(c)].name + "__fold") +
               " TEXT NOT NULL DEFAULT ''";
    }
    sql += std::string(", ") + kRevision + " INTEGER NOT NULL DEFAULT 0)";
    std::vector<std::string> out{sql};
    out.push_back("INSERT INTO " + schema_ + "." + kLayoutTable + "(tbl, layout) VALUES(" +
                  Database::literal(table_) + ", " + Database::literal(decl_->layoutSignature()) +
                  ")");
    auto more = createIndexesAndTriggers();
    out.insert(out.end(), more.begin(), more.end());
    return out;
}

std::vector<std::string> TableSql::createOwner(const std::string& salt,
                                               const std::string& proof) const {
    std::string owner = schema_ + "." + kOwnerTable;
    return {"CREATE TABLE IF NOT EXISTS " + owner +
                "(tbl TEXT PRIMARY KEY, salt TEXT NOT NULL, proof TEXT NOT NULL)",
            "INSERT OR REPLACE INTO " + owner + " VALUES(" + Database::literal(table_) + ", " +
                Database::literal(salt) + ", " + Database::literal(proof) + ")"};
}

std::vector<std::string> TableSql::indexNames() const {
    std::vector<std::string> names;
    for (const auto& k : decl_->keys()) names.push_back(table_ + "__" + k.name);
    for (const auto& k : decl_->keys()) {
        if (k.blanksRepeat) names.push_back(table_ + "__" + k.name + "__unique");
    }
    return names;
}

std::string TableSql::allBlank(const KeyDesc& key, const std::string& alias) const {
    std::string sql;
    for (size_t c = 0; c < key.components.size(); ++c) {
        const auto& f = decl_->columns()[static_cast<size_t>(key.components[c])];
        sql +=
            (c ? " AND " : "") + column(key.components[c], alias) + (f.isText() ? " = ''" : " = 0");
    }
    return sql;
}

std::vector<std::string> TableSql::triggerNames() const {
    return {table_ + "__added", table_ + "__deleted"};
}

std::vector<std::string> TableSql::createIndexesAndTriggers() const {
    std::vector<std::string> out;
    auto names = indexNames();
    size_t extra = decl_->keys().size();
    for (size_t i = 0; i < decl_->keys().size(); ++i) {
        const auto& k = decl_->keys()[i];
        std::string columns;
        for (size_t c = 0; c < k.components.size(); ++c) {
            if (c) columns += ", ";
            columns += keyColumn(k, static_cast<int>(c));
        }
        auto create = [&](bool unique, const std::string& name) {
            return std::string("CREATE ") + (unique ? "UNIQUE " : "") + "INDEX " + schema_ + "." +
                   Database::quote(name) + " ON " + Database::quote(table_) + "(" + columns + ")";
        };
        // A key whose blanks may repeat orders by a plain index and is kept unique by a
        // partial one that leaves the all-blank records out.
        out.push_back(create(k.unique && !k.blanksRepeat, names[i]));
        if (k.blanksRepeat) {
            out.push_back(create(true, names[extra++]) + " WHERE NOT (" + allBlank(k) + ")");
        }
    }
    auto triggers = triggerNames();
    std::string count = "UPDATE " + std::string(kLayoutTable) + " SET records=records";
    std::string where = " WHERE tbl=" + Database::literal(table_) + "; END";
    out.push_back("CREATE TRIGGER " + schema_ + "." + Database::quote(triggers[0]) +
                  " AFTER INSERT ON " + Database::quote(table_) + " BEGIN " + count + "+1" + where);
    out.push_back("CREATE TRIGGER " + schema_ + "." + Database::quote(triggers[1]) +
                  " AFTER DELETE ON " + Database::quote(table_) + " BEGIN " + count + "-1" + where);
    return out;
}

std::vector<std::string> TableSql::dropIndexesAndTriggers() const {
    std::vector<std::string> out;
    for (const auto& n : indexNames()) {
        out.push_back("DROP INDEX IF EXISTS " + schema_ + "." + Database::quote(n));
    }
    for (const auto& n : triggerNames()) {
        out.push_back("DROP TRIGGER IF EXISTS " + schema_ + "." + Database::quote(n));
    }
    return out;
}

std::string TableSql::selectList(const std::string& alias) const {
    std::string sql = prefixed(alias, kRecno) + ", " + prefixed(alias, kRevision);
    for (size_t i = 0; i < decl_->columns().size(); ++i) {
        sql += ", " + column(static_cast<int>(i), alias);
    }
    return sql;
}

std::string TableSql::insert(const KeyDesc* autoKey) const {
    int numbered = autoKey ? autoKey->components.back() : -1;
    std::string names = std::string(kRevision);
    std::string values = "1";
    for (size_t i = 0; i < decl_->columns().size(); ++i) {
        names += ", " + column(static_cast<int>(i));
        if (static_cast<int>(i) != numbered) {
            values += ", ?";
            continue;
        }
        // Numbered inside the statement, so two stations adding at once cannot both take
        // the same number.
        std::string sub = "(SELECT IFNULL(MAX(" + column(numbered) + "), 0) + 1 FROM " + ref_;
        for (size_t c = 0; c + 1 < autoKey->components.size(); ++c) {
            sub += (c ? " AND " : " WHERE ") + keyColumn(*autoKey, static_cast<int>(c)) + " = ?";
        }
        values += ", " + sub + ")";
    }
    for (int c : folded_) {
        names += ", " + Database::quote(decl_->columns()[static_cast<size_t>(c)].name + "__fold");
        values += ", ?";
    }
    // OR FAIL: one row's keys are all checked before anything is written, so a duplicate has
    // nothing to undo, and SQLite keeps no statement journal for each add (with the record
    // count's trigger it otherwise copies every page the add touches).
    std::string sql = "INSERT OR FAIL INTO " + ref_ + "(" + names + ") VALUES(" + values +
                      ") RETURNING " + kRecno;
    if (numbered >= 0) sql += ", " + column(numbered);
    return sql;
}

std::string TableSql::insertKeeping() const {
    std::string sql = insert(nullptr);
    // "INSERT OR FAIL INTO ref(cdz_rev, ...) VALUES(1, ..." with the number put first.
    const std::string names = "(" + std::string(kRevision);
    sql.replace(sql.find(names), names.size(), "(" + std::string(kRecno) + ", " + kRevision);
    const std::string values = "VALUES(1";
    sql.replace(sql.find(values), values.size(), "VALUES(?, 1");
    return sql;
}

std::string TableSql::update(bool watched) const {
    std::string sql = "UPDATE " + ref_ + " SET " + kRevision + " = " + kRevision + " + 1";
    for (size_t i = 0; i < decl_->columns().size(); ++i) {
        sql += ", " + column(static_cast<int>(i)) + " = ?";
    }
    for (int c : folded_) {
        sql += ", " + Database::quote(decl_->columns()[static_cast<size_t>(c)].name + "__fold") +
               " = ?";
    }
    sql += std::string(" WHERE ") + kRecno + " = ?";
    if (watched) sql += std::string(" AND ") + kRevision + " = ?";
    return sql;
}

std::vector<std::string> TableSql::storedColumnNames() const {
    std::vector<std::string> names{kRecno};
    for (const auto& f : decl_->columns()) names.push_back(f.name);
    for (int c : folded_) names.push_back(decl_->columns()[static_cast<size_t>(c)].name + "__fold");
    names.emplace_back(kRevision);
    return names;
}

std::string TableSql::remove() const {
    return "DELETE FROM " + ref_ + " WHERE " + kRecno + " = ?";
}

std::string TableSql::replace(const KeyDesc& key) const {
    const int c = key.components.front();
    std::string sql =
        "UPDATE " + ref_ + " SET " + kRevision + " = " + kRevision + " + 1, " + column(c) + " = ?";
    if (decl_->needsFolded(c)) {
        sql += ", " + Database::quote(decl_->columns()[static_cast<size_t>(c)].name + "__fold") +
               " = ?";
    }
    return sql + " WHERE " + keyColumn(key, 0) + " = ?";
}

}  // namespace cdz
