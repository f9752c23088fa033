#include "runtime/data/sqlite/SqliteStatement.h"

#include <sqlite3.h>

namespace cdz {

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(stmt_);
}

StepResult SqliteStatement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return {StepResult::Kind::Row, rc};
    if (rc == SQLITE_DONE) return {StepResult::Kind::Done, rc};
    return {StepResult::Kind::Failed, rc};
}

void SqliteStatement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

void SqliteStatement::bindInteger(int param, int64_t value) {
    sqlite3_bind_int64(stmt_, param, value);
}

void SqliteStatement::bindReal(int param, double value) {
    sqlite3_bind_double(stmt_, param, value);
}

void SqliteStatement::bindText(int param, std::string_view value, bool kept) {
    // An empty view may have no data pointer, which SQLite would take for NULL.
    sqlite3_bind_text(stmt_, param, value.empty() ? "" : value.data(),
                      static_cast<int>(value.size()), kept ? SQLITE_STATIC : SQLITE_TRANSIENT);
}

void SqliteStatement::bindNull(int param) {
    sqlite3_bind_null(stmt_, param);
}

int SqliteStatement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

ColumnType SqliteStatement::columnType(int column) const {
    switch (sqlite3_column_type(stmt_, column)) {
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

int64_t SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double SqliteStatement::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

std::string_view SqliteStatement::text(int column) const {
    // The pointer first, then its length, as SQLite asks.
    const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    const auto n = static_cast<size_t>(sqlite3_column_bytes(stmt_, column));
    return p ? std::string_view(p, n) : std::string_view();
}

}  // namespace cdz
