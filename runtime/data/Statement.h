#pragma once
// A use of a prepared statement of the connection's cache: when the scope ends the statement
// is reset and its bindings cleared, so it holds no lock and no stale parameter, whichever
// way the code that stepped it returns.
#include <memory>
#include <utility>

struct sqlite3_stmt;

namespace cdz {

class Statement {
public:
    Statement() = default;
    explicit Statement(std::shared_ptr<sqlite3_stmt> stmt) : stmt_(std::move(stmt)) {}
    ~Statement() { release(); }
    Statement(Statement&& other) noexcept = default;
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
    sqlite3_stmt* get() const { return stmt_.get(); }
    // For the sqlite3_ calls on a named scope; a temporary scope would reset its statement at
    // once, so it gives no raw pointer.
    operator sqlite3_stmt*() const& { return stmt_.get(); }
    operator sqlite3_stmt*() const&& = delete;

    // Steps once; SQLite's result code.
    int step() const;
    // Resets now, before the scope ends (a read that must let its lock go at once).
    void release();

private:
    std::shared_ptr<sqlite3_stmt> stmt_;
};

}  // namespace cdz
