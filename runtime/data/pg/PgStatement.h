#pragma once
// One statement of the server with its parameters bound by number and its rows read one step
// at a time, through the same ParamBinder and ResultRow as a SQLite statement, so record
// buffers, keys and pages bind and read it unchanged. It runs on its first step (the server
// answers with every row at once) and can be reset and run again.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/data/ErrorState.h"
#include "runtime/data/PreparedStatement.h"
#include "runtime/data/SqlValue.h"
#include "runtime/data/pg/PgResult.h"

namespace cdz::pg {

class PgConnection;

class PgStatement final : public PreparedStatement {
public:
    using Step = StepResult::Kind;

    // Runs the statement's text with its parameters (by default the connection's query); an
    // engine gives its own to keep writes inside a transaction undoable one by one.
    using Runner = std::function<int(const std::string&, const SqlValues&, PgResult*)>;

    // `sql` in the server's form ($1, $2, ...); `conn` outlives the statement.
    PgStatement(PgConnection& conn, std::string sql, Runner runner = {});

    // Runs the statement on the first step; each step then moves to the next row. A failure
    // leaves its cause in the connection's error state (its runtime code also in the result),
    // and every later step fails the same.
    StepResult step() override;
    // Records the statement added, changed or deleted (0 before it has run).
    int64_t changes() const { return result_.affected(); }
    // Back to before the first step, its parameters cleared.
    void reset() override;
    const ErrorState& error() const;
    const std::string& sql() const { return sql_; }

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
    enum class State { Ready, Rows, Done, Failed };
    void bind(int param, SqlValue v);

    PgConnection* conn_;
    std::string sql_;
    Runner runner_;
    SqlValues params_;
    PgResult result_;
    std::vector<ColumnType> types_;  // of the result's columns, by their type numbers
    std::vector<bool> booleans_;     // columns the server gives as 't' / 'f'
    State state_ = State::Ready;
    int row_ = -1;
};

}  // namespace cdz::pg
