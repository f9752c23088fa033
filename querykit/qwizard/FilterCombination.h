#pragma once
// Joining a new filter to the one the caller already applies: "(" old ") AND (" new ")" (or
// OR), when the caller's buffer has room for both and the brackets; the descriptions are
// joined the same way, or replaced by a note that several queries are active when they do not
// fit. A blank side is left out rather than giving an empty pair of brackets.
#include <string>
#include <string_view>

#include "querykit/querykit.h"

namespace qk {

struct CombinedFilter {
    bool fits = false;  // false: the buffer cannot hold both; nothing was combined
    std::string filter;
    std::string description;
};

class QUERYKIT_API FilterCombination {
public:
    static constexpr std::string_view kTooSmallTitle = "Query String Too Small";
    static constexpr std::string_view kTooSmallText =
        "The resulting query is too large. The new query cannot be combined with the original "
        "query.";
    static constexpr std::string_view kMultiple = "Multiple Queries Active";
    static constexpr std::string_view kUnsaved = "<Unsaved Query>";

    // The new filter joined to the previous one with `joiner` ("AND" or "OR") for a buffer of
    // filterWidth characters, and the new description joined to the previous one for a
    // description of descriptionWidth characters.
    static CombinedFilter combine(std::string_view previous, std::string_view added,
                                  std::string_view joiner, int filterWidth,
                                  std::string_view previousDescription,
                                  std::string_view addedDescription, int descriptionWidth);
};

}  // namespace qk
