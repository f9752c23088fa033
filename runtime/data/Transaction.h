#pragma once
// A transaction over one or more open data files as a scope: it begins when made (the files'
// locks taken in a fixed order, each waited for at most the wait), commit() keeps its writes,
// and a scope left without a commit rolls them back, the error state keeping what made it fail.
#include <functional>
#include <vector>

namespace cdz {

class Database;
class DataFile;

class Transaction {
public:
    // How long a transaction waits for another station's lock on each of its files.
    static constexpr int kLockWaitMs = 2000;

    Transaction(Database& db, const std::vector<DataFile*>& files, int waitMs = kLockWaitMs);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // 0 when it began, else the runtime code (32 when a wait ran out; 30 when a file is not
    // open).
    int began() const { return began_; }
    // Keeps the writes; a commit that fails rolls them back. Returns the runtime code.
    int commit();
    // Gives the writes up now, the error state unchanged.
    void rollback();

private:
    Database& db_;
    int began_;
    bool open_;
};

// Runs `work` in a transaction over `files` and keeps its writes when it returns 0; otherwise
// nothing stays written and the error state keeps the cause. Returns the runtime code.
int inTransaction(Database& db, const std::vector<DataFile*>& files,
                  const std::function<int()>& work, int waitMs = Transaction::kLockWaitMs);

}  // namespace cdz
