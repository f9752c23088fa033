#include "runtime/data/Statement.h"

#include <sqlite3.h>

namespace cdz {

int Statement::step() const {
    return sqlite3_step(stmt_.get());
}

void Statement::release() {
    if (!stmt_) return;
    sqlite3_reset(stmt_.get());
    sqlite3_clear_bindings(stmt_.get());
    stmt_.reset();
}

}  // namespace cdz
