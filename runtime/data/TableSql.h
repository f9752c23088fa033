#pragma once
// The SQL of one declared file in one attached schema: its table with one column per field and
// memo, a hidden folded copy of each text component of a case-insensitive key, a hidden
// revision for the change watch and the record number as INTEGER PRIMARY KEY (kept by VACUUM);
// one index per key; and triggers that keep the record count in the layout table.
#include <string>
#include <vector>

#include "runtime/data/FileDecl.h"

namespace cdz {

class TableSql {
public:
    TableSql() = default;
    TableSql(const FileDecl& decl, std::string schema, std::string table);

    static constexpr const char* kRecno = "cdz_recno";
    static constexpr const char* kRevision = "cdz_rev";
    static constexpr const char* kLayoutTable = "cdz_layout";
    // Salt and password proof of each owner-protected table of the file.
    static constexpr const char* kOwnerTable = "cdz_owner";

    const std::string& schema() const { return schema_; }
    const std::string& table() const { return table_; }
    // schema."table"
    const std::string& ref() const { return ref_; }
    // The stored column of a declared column (`alias.` prefixed when given).
    std::string column(int index, const std::string& alias = {}) const;
    // The column a key orders and compares by: the folded copy for text components of a
    // case-insensitive key.
    std::string keyColumn(const KeyDesc& key, int component, const std::string& alias = {}) const;
    bool keyUsesFolded(const KeyDesc& key, int component) const;

    // Layout table, table, indexes and triggers (each one statement).
    std::string createLayoutTable() const;
    std::vector<std::string> createTable() const;
    std::vector<std::string> createOwner(const std::string& salt, const std::string& proof) const;
    std::vector<std::string> createIndexesAndTriggers() const;
    std::vector<std::string> dropIndexesAndTriggers() const;
    // One per key in order, then the unique partial index of each key whose blanks may repeat.
    std::vector<std::string> indexNames() const;
    // A condition true when every component of the key is blank ('' or 0).
    std::string allBlank(const KeyDesc& key, const std::string& alias = {}) const;
    std::vector<std::string> triggerNames() const;

    // recno, revision, then every declared column.
    std::string selectList(const std::string& alias = {}) const;
    int selectWidth() const { return 2 + static_cast<int>(decl_->columns().size()); }
    // Parameters: every declared column, then every folded column, in order. With an auto
    // numbered key the numbered column takes, instead of its value, the key's leading
    // components. RETURNING recno and the numbered column.
    std::string insert(const KeyDesc* autoKey) const;
    // The same (no auto number) with the record number given as the first parameter: a copy
    // that keeps every record's number.
    std::string insertKeeping() const;
    // Parameters as insert (no auto number), then recno (and the revision when watched).
    std::string update(bool watched) const;
    std::string remove() const;
    // Every record whose first component of `key` equals the parameter gets another value in
    // that field (and its folded copy) and a new revision. Parameters: the new value, its
    // folded copy when the field has one, the value sought as the key compares it.
    std::string replace(const KeyDesc& key) const;
    std::vector<int> foldedColumns() const { return folded_; }
    // Every column the table has: recno, every declared column, the folded copies, revision.
    std::vector<std::string> storedColumnNames() const;

private:
    const FileDecl* decl_ = nullptr;
    std::string schema_;
    std::string table_;
    std::string ref_;
    std::vector<int> folded_;  // declared columns with a folded copy
};

}  // namespace cdz
