#include "runtime/data/Statement.h"

#include <sqlite3.h>

namespace cdz {

StepResult Statement::step() const {
    const int rc = sqlite3_step(stmt_.get());
    if (rc == SQLITE_ROW) return {StepResult::Kind::Row, rc};
    if (rc == SQLITE_DONE) return {StepResult::Kind::Done, rc};
    return {StepResult::Kind::Failed, rc};
}

void Statement::release() {
    if (!stmt_) return;
    sqlite3_reset(stmt_.get());
    sqlite3_clear_bindings(stmt_.get());
    stmt_.reset();
}

void Statement::bindInteger(int param, int64_t value) {
    sqlite3_bind_int64(stmt_.get(), param, value);
}

void Statement::bindReal(int param, double value) {
    sqlite3_bind_double(stmt_.get(), param, value);
}

void Statement::bindText(int param, std::string_view value, bool kept) {
    // An empty view may have no data pointer, which SQLite would take for NULL.
    sqlite3_bind_text(stmt_.get(), param, value.empty() ? "" : value.data(),
                      static_cast<int>(value.size()), kept ? SQLITE_STATIC : SQLITE_TRANSIENT);
}

void Statement::bindNull(int param) {
    sqlite3_bind_null(stmt_.get(), param);
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_.get());
}

ColumnType Statement::columnType(int column) const {
    switch (sqlite3_column_type(stmt_.get(), column)) {
        case SQLITE_INTEGER:
            return ColumnType::Integer;
        case SQLITE_FLOAT:
            return ColumnType::Real;
        case SQLITE_TEXT:
        case SQLITE_BLOB:
            return ColumnType::Text;
        default:
            return ColumnType::Null;
    }
}

int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_.get(), column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(stmt_.get(), column);
}

std::string_view Statement::text(int column) const {
    // The pointer first, then its length, as SQLite asks.
    const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_.get(), column));
    const auto n = static_cast<size_t>(sqlite3_column_bytes(stmt_.get(), column));
    return p ? std::string_view(p, n) : std::string_view();
}

}  // namespace cdz
