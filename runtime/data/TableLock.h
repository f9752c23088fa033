#pragma once
// A lock on one table of a data file that every station (process) sees: one holder at a time,
// waited for up to a limit, let go by unlock(), by the holder's end or by its death. It orders
// the stations that take it around a long update of several tables; it does not stop reads
// and writes, whose atomicity transactions give.
#include "runtime/data/DataFile.h"

namespace cdz {

class TableLock {
public:
    // The table as the file is named now; a later change of name does not move the lock.
    explicit TableLock(DataFile& file);
    ~TableLock();
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;

    // Takes the lock, waiting at most waitMs. 0, or 32 when another holder kept it that long;
    // the file's database error state says the same. Taking a lock already held succeeds.
    int lock(int waitMs);
    void unlock();
    bool locked() const { return fd_ >= 0; }

private:
    Database& db_;
    std::filesystem::path lockFile_;
    long long offset_ = 0;  // the table's byte in the lock file
    int fd_ = -1;
};

}  // namespace cdz
