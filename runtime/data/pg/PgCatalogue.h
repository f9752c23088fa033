#pragma once
// What a schema on the server holds, read from the server's own catalogue: its tables with
// their columns, its indexes with their columns, and its triggers. Opening a file compares its
// table with the declaration, so that a table changed by hand is refused with 47 instead of
// giving wrong records or keys that no longer hold.
#include <map>
#include <string>
#include <vector>

#include "runtime/data/pg/PgConnection.h"

namespace cdz::pg {

class PgTableSql;

class PgCatalogue {
public:
    struct Column {
        std::string name;
        std::string type;       // as the server names it: "text", "bigint", ...
        std::string collation;  // "" for a type without one
    };
    struct Index {
        std::string table;
        bool unique = false;
        bool partial = false;
        std::vector<Column> columns;  // in key order; an expression has no name
    };

    // Reads the schema (empty when there is none); a runtime code.
    int read(PgConnection& conn, const std::string& schema);

    // Table name -> its columns in order; index and trigger name -> table (and details).
    const std::map<std::string, std::vector<Column>>& tables() const { return tables_; }
    const std::map<std::string, Index>& indexes() const { return indexes_; }
    const std::map<std::string, std::string>& triggers() const { return triggers_; }

    // "" when the schema holds `sql`'s table as declared: every column with its type (texts in
    // collation "C"), every index over its key's columns, unique and partial as the key asks,
    // and every trigger; else words naming the first difference.
    std::string mismatch(const PgTableSql& sql) const;
    // The same for the table's columns alone, and for its indexes and triggers alone.
    std::string columnMismatch(const PgTableSql& sql) const;
    std::string keyMismatch(const PgTableSql& sql) const;

private:
    std::map<std::string, std::vector<Column>> tables_;
    std::map<std::string, Index> indexes_;
    std::map<std::string, std::string> triggers_;
};

}  // namespace cdz::pg
