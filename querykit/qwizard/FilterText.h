#pragma once
// The filter text of a list of conditions, in the runtime's expression language: each
// condition becomes a comparison (text folded to upper case unless case-sensitive, numbers
// compared as absolute values when asked), joined by its AND or OR. A quote inside a constant
// is doubled, so the constant means exactly what was typed.
#include <string>
#include <string_view>
#include <vector>

#include "querykit/qwizard/QueryElement.h"

namespace qk {

class QUERYKIT_API FilterText {
public:
    // Characters a filter text holds.
    static constexpr int kWidth = 1024;

    // The text of the conditions, without leading or trailing blanks, at most kWidth characters.
    static std::string generate(const std::vector<QueryElement>& elements);

    // A constant in quotes, each quote inside doubled: Guns N' Roses -> 'Guns N'' Roses'.
    static std::string quoted(std::string_view constant);
};

}  // namespace qk
