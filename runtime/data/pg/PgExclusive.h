#pragma once
// Sole use of the tables of one file on a server while Build, Pack or Fix works on them: taken
// at once or not at all (another station using a table refuses it with 5), and while held
// another station's read or write waits at most its lock wait and then fails with 32. The
// maintenance runs inside; its work is kept by release() and rolled back otherwise.
#include <string>
#include <vector>

#include "runtime/data/pg/PgConnection.h"

namespace cdz::pg {

class PgExclusive {
public:
    explicit PgExclusive(PgConnection& conn) : conn_(conn) {}
    ~PgExclusive();
    PgExclusive(const PgExclusive&) = delete;
    PgExclusive& operator=(const PgExclusive&) = delete;

    // `tables` as PgTableSql::ref gives them; 5 when another session uses one of them, 56 when
    // a transaction is already open on the connection.
    int acquire(std::vector<std::string> tables);
    // Commits the maintenance and lets the tables go (48 when a failure inside undid it).
    int release();
    // Undoes the maintenance and lets the tables go.
    int abandon();
    bool held() const { return held_; }

private:
    PgConnection& conn_;
    bool held_ = false;
};

}  // namespace cdz::pg
