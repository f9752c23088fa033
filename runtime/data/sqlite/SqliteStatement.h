#pragma once
// A prepared statement of the SQLite connection; finalized when the last holder lets it go.
#include "runtime/data/PreparedStatement.h"

struct sqlite3_stmt;

namespace cdz {

class SqliteStatement final : public PreparedStatement {
public:
    // Takes over `stmt` (not null).
    explicit SqliteStatement(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~SqliteStatement() override;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    StepResult step() override;
    void reset() override;

    void bindInteger(int param, int64_t value) override;
    void bindReal(int param, double value) override;
    void bindText(int param, std::string_view value, bool kept = false) override;
    void bindNull(int param) override;

    int columnCount() const override;
    ColumnType columnType(int column) const override;
    int64_t integer(int column) const override;
    double real(int column) const override;
    std::string_view text(int column) const override;

private:
    sqlite3_stmt* stmt_;
};

}  // namespace cdz
