#pragma once
// Many reads of one data file by a key answered together: a pass that would read one record at
// a time by key asks for a batch of them in a few statements, which on a server is a few
// exchanges instead of one for each.
#include <cstddef>
#include <functional>
#include <vector>

#include "runtime/data/DataFile.h"
#include "runtime/data/SqlValue.h"

namespace cdz {

class KeyLookup {
public:
    KeyLookup(DataFile& file, int key) : file_(file), key_(key) {}

    // Whether asking together saves anything where the file is kept (a server: each statement
    // is an exchange with it); elsewhere a read of each is as fast.
    bool saves() const;

    // The buffer's values of the key's components, in the form they are stored and compared
    // (folded, sealed): what a read of the buffer by the key looks for.
    SqlValues valuesInBuffer() const;

    // Each of `values` answered by the record DataFile::get() would find for it: for each
    // one found, `found` is called with the record in the buffer and current and the indexes
    // in `values` it answers; a value no record holds is not called. 0, or the failed
    // read's code (in the database's error state).
    int find(const std::vector<SqlValues>& values, const std::function<void(size_t)>& found);

private:
    DataFile& file_;
    int key_;
};

}  // namespace cdz
