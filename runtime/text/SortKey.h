#pragma once
// The text a case-insensitive key stores and orders by: letters as a person files them
// ("Édith" with E, "ß" with "ss", "Ø" with O), then, only to break ties, the case-folded text,
// so that two texts share a sort key exactly when they are equal after case folding. The files
// keep it as plain UTF-8, so a stock SQLite shell reads and orders it without any collation.
#include <string>
#include <string_view>

namespace cdz {

// The sort key of UTF-8 text: the base letters alone when folding leaves nothing else to tell
// apart (all plain ASCII text), else the base letters, '\x01', and the folded text.
std::string sortKey(std::string_view utf8);

// The beginning every sort key of a text that begins with `utf8` begins with: its base letters.
std::string sortPrefix(std::string_view utf8);

}  // namespace cdz
