#pragma once
// The parameters the table statements take for a record, as the data layer will bind them.
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/data/FileDecl.h"
#include "runtime/data/pg/PgTableSql.h"
#include "runtime/text/SortKey.h"

namespace cdz::test {

// PgTableSql::insert's parameters for a record (then `tail`, for an update).
inline SqlValues insertParams(const FileDecl& decl, const pg::PgTableSql& sql, const void* rec,
                              const KeyDesc* autoKey, const std::vector<int64_t>& tail = {}) {
    SqlValues params;
    const int numbered = autoKey ? autoKey->components.back() : -1;
    for (int i = 0; i < static_cast<int>(decl.columns().size()); ++i) {
        if (i != numbered) {
            params.push_back(decl.columns()[static_cast<size_t>(i)].value(rec));
            continue;
        }
        for (size_t c = 0; c + 1 < autoKey->components.size(); ++c) {
            params.push_back(
                decl.columns()[static_cast<size_t>(autoKey->components[c])].value(rec));
        }
    }
    for (int c : sql.foldedColumns()) {
        params.push_back(
            sortKey(std::get<std::string>(decl.columns()[static_cast<size_t>(c)].value(rec))));
    }
    for (int64_t v : tail) params.emplace_back(std::in_place_type<int64_t>, v);
    return params;
}

}  // namespace cdz::test
