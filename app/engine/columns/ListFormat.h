#pragma once
// A list's format string, such as "80L(2)|M~Category~L(2)@s30@": its columns from left to right.
// A parsed format writes back byte for byte; edits to its columns write back at once.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/engine/columns/ListColumn.h"

namespace cdz {

struct ListFormatParse;

class ListFormat {
public:
    ListFormat() = default;
    explicit ListFormat(std::vector<ListColumn> columns) : columns_(std::move(columns)) {}

    // A malformed format gives no format and a reason naming the column and the character
    // where reading stopped.
    static ListFormatParse parse(std::string_view text);

    // Showing, hiding and moving a column are edits of this list.
    const std::vector<ListColumn>& columns() const { return columns_; }
    std::vector<ListColumn>& columns() { return columns_; }

    std::string text() const;

    bool operator==(const ListFormat&) const = default;

private:
    std::vector<ListColumn> columns_;
};

struct ListFormatParse {
    std::optional<ListFormat> format;  // nullopt when the text is malformed
    std::string error;                 // why, when format is nullopt
};

}  // namespace cdz
