#pragma once
// The page of a browse: one entry per visible row, each a copy of the records the view read
// for that row (the browsed file and the files joined to it) and the row's position token, so
// that moving the highlight within the page rebuilds the record buffers without reading the
// file.
#include <cstddef>
#include <string>
#include <vector>

#include "runtime/data/DataFile.h"
#include "runtime/data/SqlValue.h"

namespace cdz {

struct PageEntry {
    std::vector<SqlValues> records;  // per file of the view, every column in declaration order
    std::vector<int64_t> recnos;     // per file: its record number (0: nothing joined)
    std::string position;            // the view's position token of the row
};

class PageQueue {
public:
    // The files whose buffers an entry copies: the browsed file first, then the joined ones.
    explicit PageQueue(std::vector<DataFile*> files) : files_(std::move(files)) {}

    // FillEntry: the record buffers as they are now, with the view's position token.
    PageEntry capture(std::string position) const;
    // FillBuffer: the entry's records back into the buffers.
    void restore(const PageEntry& entry) const;
    // The value of a column of one file of the entry.
    const SqlValue& value(const PageEntry& entry, size_t file, size_t column) const;

    bool empty() const { return entries_.empty(); }
    int count() const { return static_cast<int>(entries_.size()); }
    // 1-based, as the browse counts rows.
    const PageEntry& at(int row) const { return entries_[static_cast<size_t>(row - 1)]; }
    const PageEntry& front() const { return entries_.front(); }
    const PageEntry& back() const { return entries_.back(); }
    void clear() { entries_.clear(); }
    void append(PageEntry e) { entries_.push_back(std::move(e)); }
    void prepend(PageEntry e) { entries_.insert(entries_.begin(), std::move(e)); }
    void dropFront() { entries_.erase(entries_.begin()); }
    void dropBack() { entries_.pop_back(); }
    void remove(int row) { entries_.erase(entries_.begin() + (row - 1)); }
    // The row whose position token is `position`; 0 when none.
    int find(const std::string& position) const;

    const std::vector<DataFile*>& files() const { return files_; }

private:
    std::vector<DataFile*> files_;
    std::vector<PageEntry> entries_;
};

}  // namespace cdz
