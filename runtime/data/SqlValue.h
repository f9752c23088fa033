#pragma once
// One stored value as SQLite holds it: nothing (NULL), an integer, a real or a text.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace cdz {

using SqlValue = std::variant<std::monostate, int64_t, double, std::string>;
using SqlValues = std::vector<SqlValue>;

inline bool isNull(const SqlValue& v) {
    return std::holds_alternative<std::monostate>(v);
}

}  // namespace cdz
