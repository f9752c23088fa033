#pragma once
// The WHERE text that finds a record by the values of a key's components, one parameter each:
// the read by key and the duplicate check share it.
#include <string>

#include "runtime/data/FileDecl.h"
#include "runtime/data/TableSql.h"

namespace cdz {

inline std::string whereKeyEquals(const TableSql& sql, const KeyDesc& key) {
    std::string where;
    for (size_t c = 0; c < key.components.size(); ++c) {
        where += (c ? " AND " : "") + sql.keyColumn(key, static_cast<int>(c)) + " = ?";
    }
    return where;
}

}  // namespace cdz
