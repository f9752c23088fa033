#include "runtime/data/pg/PgExclusive.h"

#include <algorithm>

namespace cdz::pg {

PgExclusive::~PgExclusive() {
    if (held_) conn_.cleanUp("ROLLBACK");
}

int PgExclusive::acquire(std::vector<std::string> tables) {
    if (held_ || conn_.inTransaction()) return conn_.fail(err::kTransactionActive);
    if (tables.empty()) return conn_.fail(err::kFileNotOpen);
    // One order for every station, as for transactions.
    std::sort(tables.begin(), tables.end());
    tables.erase(std::unique(tables.begin(), tables.end()), tables.end());
    std::string list;
    for (const auto& t : tables) list += (list.empty() ? "" : ", ") + t;
    if (int code = conn_.exec("BEGIN; LOCK TABLE " + list + " IN ACCESS EXCLUSIVE MODE NOWAIT")) {
        conn_.cleanUp("ROLLBACK");
        // Another station holds the table: maintenance is refused, not merely delayed.
        return code == err::kFileLocked ? conn_.failAs(err::kAccessDenied) : code;
    }
    held_ = true;
    return 0;
}

int PgExclusive::release() {
    if (!held_) return conn_.fail(err::kTransactionFailed);
    held_ = false;
    return conn_.commit();
}

int PgExclusive::abandon() {
    if (!held_) return conn_.fail(err::kTransactionFailed);
    held_ = false;
    return conn_.exec("ROLLBACK");
}

}  // namespace cdz::pg
