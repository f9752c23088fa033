#pragma once
// A use of a prepared statement of the connection's cache: when the scope ends the statement
// is reset and its bindings cleared, so it holds no lock and no stale parameter, whichever
// way the code that stepped it returns. Its parameters and the row it stands on are reached
// through the engine-neutral ParamBinder and ResultRow.
#include <memory>
#include <utility>

#include "runtime/data/ParamBinder.h"
#include "runtime/data/ResultRow.h"
#include "runtime/data/StepResult.h"

struct sqlite3_stmt;

namespace cdz {

class Statement final : public ParamBinder, public ResultRow {
public:
    Statement() = default;
    explicit Statement(std::shared_ptr<sqlite3_stmt> stmt) : stmt_(std::move(stmt)) {}
    ~Statement() override { release(); }
    Statement(Statement&& other) noexcept : stmt_(std::move(other.stmt_)) {}
    Statement& operator=(Statement&& other) noexcept {
        if (this != &other) {
            release();
            stmt_ = std::move(other.stmt_);
        }
        return *this;
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    explicit operator bool() const { return stmt_ != nullptr; }
    // The engine's own statement, for the engine's code alone.
    sqlite3_stmt* get() const { return stmt_.get(); }

    // Steps once.
    StepResult step() const;
    // Resets now, before the scope ends (a read that must let its lock go at once).
    void release();

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
    std::shared_ptr<sqlite3_stmt> stmt_;
};

}  // namespace cdz
