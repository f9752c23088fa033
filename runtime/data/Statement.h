#pragma once
// A use of a prepared statement of the connection's cache: when the scope ends the statement
// is reset and its bindings cleared, so it holds no lock and no stale parameter, whichever
// way the code that stepped it returns. Its parameters and the row it stands on are reached
// through the engine-neutral ParamBinder and ResultRow, whichever engine prepared it.
#include <memory>
#include <utility>

#include "runtime/data/PreparedStatement.h"

namespace cdz {

class Statement final : public ParamBinder, public ResultRow {
public:
    Statement() = default;
    explicit Statement(std::shared_ptr<PreparedStatement> stmt) : stmt_(std::move(stmt)) {}
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

    StepResult step() const { return stmt_->step(); }
    // Resets now, before the scope ends (a read that must let its lock go at once).
    void release() {
        if (!stmt_) return;
        stmt_->reset();
        stmt_.reset();
    }

    void bindInteger(int param, int64_t value) override { stmt_->bindInteger(param, value); }
    void bindReal(int param, double value) override { stmt_->bindReal(param, value); }
    void bindText(int param, std::string_view value, bool kept = false) override {
        stmt_->bindText(param, value, kept);
    }
    void bindNull(int param) override { stmt_->bindNull(param); }

    int columnCount() const override { return stmt_->columnCount(); }
    ColumnType columnType(int column) const override { return stmt_->columnType(column); }
    int64_t integer(int column) const override { return stmt_->integer(column); }
    double real(int column) const override { return stmt_->real(column); }
    std::string_view text(int column) const override { return stmt_->text(column); }

private:
    std::shared_ptr<PreparedStatement> stmt_;
};

}  // namespace cdz
