#pragma once
// Owns one result of a PostgreSQL statement and reads its rows: as the server's text, or as the
// stored values the rest of the data layer uses (integers, reals, texts, NULL).
#include <cstdint>
#include <string_view>

#include "runtime/data/SqlValue.h"

struct pg_result;

namespace cdz::pg {

class PgResult {
public:
    PgResult() = default;
    explicit PgResult(pg_result* result) : result_(result) {}
    ~PgResult() { reset(); }
    PgResult(PgResult&& other) noexcept : result_(other.release()) {}
    PgResult& operator=(PgResult&& other) noexcept;
    PgResult(const PgResult&) = delete;
    PgResult& operator=(const PgResult&) = delete;

    pg_result* get() const { return result_; }
    pg_result* release();
    void reset(pg_result* result = nullptr);
    explicit operator bool() const { return result_ != nullptr; }

    // The SQLSTATE of a failed statement ("" when it did not fail or the server gave none) and
    // the server's message.
    std::string_view sqlstate() const;
    std::string_view message() const;
    bool ok() const;  // the statement succeeded (with or without rows)

    int rows() const;
    // Records an INSERT, UPDATE or DELETE touched.
    int64_t affected() const;
    int columns() const;
    bool isNull(int row, int column) const;
    std::string_view text(int row, int column) const;
    // The value by the column's type: integer types as integers, floating types as reals,
    // booleans as 0 or 1, anything else as its text; NULL as nothing.
    SqlValue value(int row, int column) const;
    SqlValues row(int row) const;

private:
    pg_result* result_ = nullptr;
};

}  // namespace cdz::pg
