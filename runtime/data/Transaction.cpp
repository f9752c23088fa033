#include "runtime/data/Transaction.h"

#include "runtime/data/DataFile.h"
#include "runtime/data/ErrorGuard.h"

namespace cdz {

Transaction::Transaction(Database& db, const std::vector<DataFile*>& files, int waitMs)
    : db_(db), began_(beginTransaction(db, files, waitMs)), open_(began_ == 0) {}

Transaction::~Transaction() {
    rollback();
}

int Transaction::commit() {
    if (!open_) return began_ ? began_ : db_.fail(err::kTransactionFailed);
    open_ = false;
    // A commit that cannot finish rolls back by itself.
    return db_.commit();
}

void Transaction::rollback() {
    if (!open_) return;
    open_ = false;
    ErrorGuard keep(db_.error());
    if (db_.inTransaction()) db_.rollback();
}

int inTransaction(Database& db, const std::vector<DataFile*>& files,
                  const std::function<int()>& work, int waitMs) {
    Transaction transaction(db, files, waitMs);
    if (transaction.began()) return transaction.began();
    const int code = work();
    return code ? code : transaction.commit();
}

}  // namespace cdz
