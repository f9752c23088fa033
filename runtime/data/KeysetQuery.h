#pragma once
// Reads rows in an order one short page at a time, resuming after (or before) the last row read:
// `WHERE (t1,...,tn,recno) > (?,...,?) ORDER BY t1,...,tn,recno LIMIT n`. Nothing is counted
// and nothing beyond the page is loaded, so a step costs the same in any size of file.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/data/ResultRow.h"
#include "runtime/data/SqlValue.h"

namespace cdz {

class Database;

struct OrderTerm {
    std::string sql;
    bool descending = false;
};

// Where a read resumes: after/before these order values and record number. Without a record
// number the read starts at the values themselves (every record with equal values included);
// `inclusive` makes the record itself the first one read.
struct KeysetBound {
    SqlValues values;
    std::optional<int64_t> recno;
    bool inclusive = false;
};

class KeysetQuery {
public:
    KeysetQuery() = default;
    // `select` is read after the order values and the record number (`recnoSql`); `filter` is a
    // condition with plain `?` parameters bound from `filterParams`.
    // `fixedTerms` leading terms are held to one value by the filter: the bound compares only
    // the terms after them, which SQLite then reads as a range of the key's index after the
    // equal part (a comparison of all the terms it would test row by row).
    KeysetQuery(std::string select, std::string from, std::vector<OrderTerm> terms,
                std::string recnoSql, std::string filter = {}, SqlValues filterParams = {},
                int fixedTerms = 0);

    int termCount() const { return static_cast<int>(terms_.size()); }
    // Column of the record number; the select list follows it.
    int recnoColumn() const { return termCount(); }
    int firstSelectColumn() const { return termCount() + 1; }

    std::string sql(bool forward, bool bounded) const;
    // Reads up to `limit` rows; `row` sees each (and may return false to stop). Returns a
    // runtime code (0, or the failure the database's error state describes).
    int fetch(Database& db, bool forward, const std::optional<KeysetBound>& bound, int limit,
              const std::function<bool(const ResultRow&)>& row) const;
    // The bound that resumes after the row the statement is on.
    KeysetBound boundOf(const ResultRow& row) const;

private:
    std::string select_;
    std::string from_;
    std::vector<OrderTerm> terms_;
    std::string recno_;
    std::string filter_;
    SqlValues filterParams_;
    size_t fixedTerms_ = 0;
};

}  // namespace cdz
