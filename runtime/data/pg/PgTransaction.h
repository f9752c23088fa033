#pragma once
// One transaction over several tables of a catalogue on a server, as the runtime's begin and
// commit work on its files: begin takes each table's write lock in one sorted order, so two
// stations never wait for each other in a circle and a second writer of a table waits at most
// the given time, as in SQLite; and each write runs under a savepoint, so a refused write (a
// duplicate key) is undone alone and the transaction goes on. Rolled back unless committed.
#include <functional>
#include <string>
#include <vector>

#include "runtime/data/pg/PgConnection.h"

namespace cdz::pg {

class PgTableSql;

class PgTransaction {
public:
    explicit PgTransaction(PgConnection& conn) : conn_(conn) {}
    ~PgTransaction();
    PgTransaction(const PgTransaction&) = delete;
    PgTransaction& operator=(const PgTransaction&) = delete;

    // Begins and locks `tables` for writing, waiting at most `waitMs` for each: 32 when
    // another station writes one (or holds it whole) longer, 56 when a transaction is already
    // open on the connection. The statements inside wait as long as the connection's own lock
    // wait.
    int begin(std::vector<const PgTableSql*> tables, int waitMs);
    // Runs one write; a failure undoes that write only.
    int write(const std::string& sql, const SqlValues& params, PgResult* out = nullptr);
    // Runs an insert that numbers a key within itself (PgTableSql::insert with an auto key)
    // after taking the table's write lock, so that an add of another station to the same table
    // is waited for (at most the connection's lock wait) and numbered past, never duplicated.
    // Without an active transaction the add runs in one of its own.
    int addNumbered(const PgTableSql& table, const std::string& sql, const SqlValues& params,
                    PgResult* out = nullptr);
    int commit();
    int rollback();
    bool active() const { return active_; }

private:
    int underSavepoint(const std::function<int()>& run);

    PgConnection& conn_;
    bool active_ = false;
};

}  // namespace cdz::pg
