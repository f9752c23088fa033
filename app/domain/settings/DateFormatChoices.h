#pragma once
// The date formats the user chooses among, in the order offered, each with the date picture it
// stands for.
#include <span>
#include <string_view>

namespace cdz {

struct DateFormatChoice {
    std::string_view caption;  // "October 31, 1959"
    std::string_view picture;  // "d4"
};

std::span<const DateFormatChoice> dateFormatChoices();

// The choice of a stored picture; the first choice (the locale's own) for a picture that is
// none of them, so an unknown setting never becomes an empty one.
int dateFormatIndex(std::string_view picture);

// The picture of dates kept as years only.
inline constexpr std::string_view kYearOnlyPicture = "n4b";

}  // namespace cdz
