#pragma once
// The text of a tag as the catalogue keeps it: values cleaned of control characters, and the
// numbers and dates that tags write as text ("3/12", "1997-09-22") read into numbers.
#include <string>
#include <string_view>

namespace cdz {

// Control characters (C0, DEL, C1) are dropped at the ends and a run of them inside becomes one
// space, so that a comment of two lines stays readable on one; blanks at the ends are trimmed.
std::string cleanTagText(std::string_view utf8);

struct NumberOfTotal {
    int number = 0;
    int total = 0;
};

// "3", "03", "3/12", " 3 / 12 "; a part that is not a plain number reads as 0.
NumberOfTotal parseNumberOfTotal(std::string_view text);
// A plain number, blanks around it allowed; 0 otherwise.
int parseTagNumber(std::string_view text);

struct TagDate {
    int year = 0, month = 0, day = 0;
};

// "1997-09-22" (a time after it is ignored) gives the whole date; a text that starts with a year
// ("1997", "1997-09", "1997-02-30") gives the year alone; anything else nothing.
TagDate parseTagDate(std::string_view text);

}  // namespace cdz
