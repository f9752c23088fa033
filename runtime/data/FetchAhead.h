#pragma once
// The rows one query of a view fetched ahead, taken one at a time from the front. The rows'
// storage (their value vectors and texts) is kept when the page is refilled, so a long read
// in large pages allocates nothing per row once the first page has been read.
#include <cstddef>
#include <vector>

#include "runtime/data/ResultRow.h"
#include "runtime/data/SqlValue.h"

namespace cdz {

class FetchAhead {
public:
    // Drops the rows; the next take() has none, and last() names none.
    void clear() {
        count_ = 0;
        next_ = 0;
    }
    // Starts a new page read in this direction (clears the rows).
    void refill(bool forward) {
        clear();
        forward_ = forward;
    }
    // Appends the statement's current row, columns 0 .. width-1.
    void append(const ResultRow& source, int width);

    bool forward() const { return forward_; }
    bool exhausted() const { return next_ >= count_; }
    // The next row of the page, then the one after; null when every row has been taken.
    const SqlValues* take() { return exhausted() ? nullptr : &rows_[next_++]; }
    // The row taken last from this page; null before the first take.
    const SqlValues* last() const { return next_ > 0 ? &rows_[next_ - 1] : nullptr; }
    // Where a taken row stands in the page, for at().
    size_t indexOf(const SqlValues* row) const { return static_cast<size_t>(row - rows_.data()); }
    const SqlValues& at(size_t index) const { return rows_[index]; }

private:
    std::vector<SqlValues> rows_;  // [0, count_) this page's; the rest kept for their storage
    size_t count_ = 0;
    size_t next_ = 0;
    bool forward_ = true;
};

}  // namespace cdz
