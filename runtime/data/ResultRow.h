#pragma once
// The current row of a statement's result, whichever storage engine gave it: each column's
// kind and value. Record buffers, views and pages read their rows through it, so that they do
// not depend on the engine.
#include <cstdint>
#include <string_view>

namespace cdz {

enum class ColumnType { Null, Integer, Real, Text };

class ResultRow {
public:
    virtual ~ResultRow() = default;

    virtual int columnCount() const = 0;
    virtual ColumnType columnType(int column) const = 0;
    virtual int64_t integer(int column) const = 0;
    virtual double real(int column) const = 0;
    // The text's bytes, valid until the row moves on; empty for NULL.
    virtual std::string_view text(int column) const = 0;

protected:
    ResultRow() = default;
    ResultRow(const ResultRow&) = default;
    ResultRow& operator=(const ResultRow&) = default;
};

}  // namespace cdz
