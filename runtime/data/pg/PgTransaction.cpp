#include "runtime/data/pg/PgTransaction.h"

#include <algorithm>

#include "runtime/data/pg/PgTableSql.h"

namespace cdz::pg {
namespace {

std::string lockTimeout(int ms) {
    return "SET LOCAL lock_timeout = " + std::to_string(PgConnection::serverLockWait(ms));
}

}  // namespace

PgTransaction::~PgTransaction() {
    if (active_) conn_.cleanUp("ROLLBACK");
}

int PgTransaction::begin(std::vector<const PgTableSql*> tables, int waitMs) {
    if (active_ || conn_.inTransaction()) return conn_.fail(err::kTransactionActive);
    std::sort(tables.begin(), tables.end(),
              [](const PgTableSql* a, const PgTableSql* b) { return a->ref() < b->ref(); });
    tables.erase(
        std::unique(tables.begin(), tables.end(),
                    [](const PgTableSql* a, const PgTableSql* b) { return a->ref() == b->ref(); }),
        tables.end());
    if (int code = conn_.exec("BEGIN")) return code;
    std::string sql = lockTimeout(waitMs);
    if (!tables.empty()) {
        // The table lock keeps maintenance (sole use) out; the write lock keeps other writers
        // out until this transaction ends.
        std::string list;
        for (const auto* t : tables) list += (list.empty() ? "" : ", ") + t->ref();
        sql += "; LOCK TABLE " + list + " IN ROW EXCLUSIVE MODE";
        for (const auto* t : tables) sql += "; " + t->writeLock();
    }
    sql += "; " + lockTimeout(conn_.lockWait());
    if (conn_.exec(sql)) return conn_.cleanUp("ROLLBACK");
    active_ = true;
    return 0;
}

int PgTransaction::underSavepoint(const std::function<int()>& run) {
    if (!active_) return conn_.fail(err::kTransactionFailed);
    if (int code = conn_.exec("SAVEPOINT cdz_write")) return code;
    if (run()) return conn_.cleanUp("ROLLBACK TO SAVEPOINT cdz_write; RELEASE SAVEPOINT cdz_write");
    return conn_.exec("RELEASE SAVEPOINT cdz_write");
}

int PgTransaction::write(const std::string& sql, const SqlValues& params, PgResult* out) {
    return underSavepoint([&] { return conn_.query(sql, params, out); });
}

int PgTransaction::addNumbered(const PgTableSql& table, const std::string& sql,
                               const SqlValues& params, PgResult* out) {
    // Two statements: the insert's snapshot is taken after the lock is granted, so it sees the
    // record the other station committed meanwhile.
    auto add = [&] {
        if (int code = conn_.query(table.writeLock(), {})) return code;
        return conn_.query(sql, params, out);
    };
    if (active_) return underSavepoint(add);
    // Alone, the lock must still last until the record is committed.
    if (int code = begin({}, conn_.lockWait())) return code;
    if (add()) {
        active_ = false;
        return conn_.cleanUp("ROLLBACK");
    }
    return commit();
}

int PgTransaction::commit() {
    if (!active_) return conn_.fail(err::kTransactionFailed);
    active_ = false;
    return conn_.commit();
}

int PgTransaction::rollback() {
    if (!active_) return conn_.fail(err::kTransactionFailed);
    active_ = false;
    return conn_.exec("ROLLBACK");
}

}  // namespace cdz::pg
