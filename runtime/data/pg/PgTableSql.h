#pragma once
// The SQL of one declared file as a table of a PostgreSQL schema (a schema per catalogue): one
// column per field and memo, a hidden folded copy of each text component of a case-insensitive
// key, a hidden revision for the change watch and a record number that never changes; one
// index per key; and the record count kept in the schema's layout table by triggers. Texts
// compare byte by byte (collation "C"), never by the server's locale, so every key orders its
// records exactly as the same file does in SQLite. Statements take $1, $2, ... parameters.
#include <string>
#include <string_view>
#include <vector>

#include "runtime/data/FileDecl.h"

namespace cdz::pg {

class PgTableSql {
public:
    PgTableSql(const FileDecl& decl, std::string schema, std::string table);

    static constexpr const char* kRecno = "cdz_recno";
    static constexpr const char* kRevision = "cdz_rev";
    static constexpr const char* kLayoutTable = "cdz_layout";
    static constexpr const char* kCountFunction = "cdz_count";
    // The record count with the open transaction's own changes: records(table name).
    static constexpr const char* kRecordsFunction = "cdz_records";
    // The tables whose count a transaction changed, applied as it commits.
    static constexpr const char* kPendingTable = "cdz_pending";
    // Salt and password proof of each owner-protected table of the schema.
    static constexpr const char* kOwnerTable = "cdz_owner";
    // The server cuts longer names silently, which could make two names one.
    static constexpr size_t kMaxIdentifier = 63;

    // A quoted name the server keeps as given: a longer one is cut and ends in a hash of the
    // whole, so two long names that differ stay two.
    static std::string identifier(std::string_view name);
    // The name as the server stores it: identifier() without the quotes.
    static std::string storedName(std::string_view name);

    // What the table should hold, as the server's catalogue names it: each column with its
    // type (texts compare in collation "C"), and each index with its columns in key order.
    struct StoredColumn {
        std::string name;
        std::string type;
    };
    struct StoredIndex {
        std::string name;
        bool unique = false;
        bool partial = false;
        std::vector<std::string> columns;
    };
    std::vector<StoredColumn> storedColumns() const;
    std::vector<StoredIndex> storedIndexes() const;

    const std::string& schema() const { return schema_; }
    const std::string& table() const { return table_; }
    // "schema"."table"
    const std::string& ref() const { return ref_; }
    std::string column(int index, const std::string& alias = {}) const;
    // The column a key orders and compares by: the folded copy for text components of a
    // case-insensitive key.
    std::string keyColumn(const KeyDesc& key, int component, const std::string& alias = {}) const;
    bool keyUsesFolded(const KeyDesc& key, int component) const;
    const std::vector<int>& foldedColumns() const { return folded_; }
    // COPY of new records from the client: the record number when `withRecno` (else the table's
    // counter numbers them), the revision, every column, then every folded copy.
    std::string copyNewRecords(bool withRecno) const;
    // Rewrites of records sent together: a temporary table of the same columns for them
    // (made once a transaction, emptied as it ends), the COPY of rows into it as
    // copyNewRecords(true) has them, and the one statement that takes them out into the
    // table as update() would write each, its affected rows the records rewritten.
    std::string makeRewrites() const;
    std::string copyRewrites() const;
    std::string applyRewrites() const;

    // The schema, its layout table and the function of the record-count triggers; each
    // statement may run again for another table of the same schema.
    std::vector<std::string> createSchema() const;
    static std::vector<std::string> createSchema(const std::string& schema);
    // The table, its row of the layout table, its indexes and triggers.
    std::vector<std::string> createTable() const;
    // The owner table of an enciphered file and this table's row in it (replaced when there).
    std::vector<std::string> createOwner(const std::string& salt, const std::string& proof) const;
    std::vector<std::string> createIndexesAndTriggers() const;
    std::vector<std::string> dropIndexesAndTriggers() const;
    // One per key in order, then the unique partial index of each key whose blanks may repeat.
    std::vector<std::string> indexNames() const;
    std::vector<std::string> triggerNames() const;
    // A condition true when every component of the key is blank ('' or 0).
    std::string allBlank(const KeyDesc& key, const std::string& alias = {}) const;

    // recno, revision, then every declared column.
    std::string selectList(const std::string& alias = {}) const;
    // The key's columns then the record number: the order of a view along the key.
    std::string orderBy(const KeyDesc& key, const std::string& alias = {}) const;
    // True for the records after a position along the key, in orderBy's order: a row
    // comparison of the key's columns and the record number with the position's values as the
    // key stores them (folded where it folds), parameters from $firstParam on.
    std::string after(const KeyDesc& key, int firstParam = 1, const std::string& alias = {}) const;
    // Sets the stored record count to the rows the table holds and moves its change stamp.
    std::string recount() const;
    // Makes the record-number counter give numbers past the highest record's.
    std::string numberPastHighest() const;
    // The stored record count, one row of the layout table.
    std::string recordCount() const;
    // The table's change stamp: it moves with every statement that adds, changes or deletes a
    // record (and with TRUNCATE), once the statement's transaction commits; reads leave it.
    std::string stamp() const;
    // The table's write lock, as a SQLite file has one: its row of the layout table, held until
    // the transaction ends (every commit that wrote the table takes it). Taken first by a
    // transaction over the table, and before an auto-numbered add, so that another station's
    // add is waited for and, in the next statement, seen and numbered past.
    std::string writeLock() const;
    // Parameters: every declared column, then every folded column, in order. With an auto
    // numbered key the numbered column takes, instead of its value, the key's leading
    // components. RETURNING recno and the numbered column.
    std::string insert(const KeyDesc* autoKey) const;
    // Parameters as insert (no auto number), then recno (and the revision when watched).
    std::string update(bool watched) const;
    std::string remove() const;
    // Every record whose first component of `key` equals the last parameter gets another value
    // in that field (and its folded copy) and a new revision. Parameters: the new value, its
    // folded copy when the field has one, the value sought as the key compares it.
    std::string replace(const KeyDesc& key) const;

    // The folded copy of a declared column.
    std::string foldedName(int column) const;

private:
    std::string keyColumnName(const KeyDesc& key, int component) const;
    std::string layoutRow() const;
    // The columns of a COPY of whole records: [recno,] revision, every column, every fold.
    std::string copyColumns(bool withRecno) const;
    std::string rewritesTable() const;

    const FileDecl* decl_;
    std::string schema_;
    std::string table_;
    std::string ref_;
    std::vector<int> folded_;  // declared columns with a folded copy
};

}  // namespace cdz::pg
