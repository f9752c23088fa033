#pragma once
// The record numbers of a view sorted once by one order value, for an order no index serves:
// SQLite would sort the whole file again for every page read in it, where this list sorts it
// once and then reads a page as that page's records by number. Values compare as SQLite
// compares them (nothing, then numbers by value, then texts byte by byte); equal values go by
// record number, ascending in both directions, as the view's keyset reads order them.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "runtime/data/SqlValue.h"

namespace cdz {

class SortedRecords {
public:
    // Gives the next row's record number and order value; false when there are no more.
    using RowSource = std::function<bool(int64_t* recno, SqlValue* value)>;

    // Takes every row of `rows` and sorts them; memory is held only while sorting (about 48
    // bytes a record and its text), then eight bytes a record.
    void build(const RowSource& rows, bool descending);
    void clear() { recnos_.clear(); }

    size_t size() const { return recnos_.size(); }
    bool empty() const { return recnos_.empty(); }
    int64_t at(size_t index) const { return recnos_[index]; }
    std::optional<size_t> find(int64_t recno) const;
    void erase(size_t index);
    void insert(size_t index, int64_t recno);
    bool descending() const { return descending_; }

    // -1, 0 or 1 as SQLite orders the two values.
    static int compare(const SqlValue& a, const SqlValue& b);
    // Whether (a, recno a) comes before (b, recno b) in this list's order.
    bool before(const SqlValue& a, int64_t recnoA, const SqlValue& b, int64_t recnoB) const;

private:
    std::vector<int64_t> recnos_;
    bool descending_ = false;
};

}  // namespace cdz
