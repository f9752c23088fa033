#pragma once
// A position token: the order values of a record and its record number, as one string that a
// caller keeps (a browse keeps one per row) and hands back to find the record, or the place
// where it was, again.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/data/SqlValue.h"

namespace cdz {

struct Position {
    SqlValues values;
    int64_t recno = 0;

    std::string encode() const;
    // nullopt for a string that no encode() produced.
    static std::optional<Position> decode(std::string_view token);
};

}  // namespace cdz
