#pragma once
// Unicode case rules for the catalogue: full case folding for keys that ignore case
// ("björk" = "BJÖRK", "straße" = "STRASSE") and upper-casing for UPPER() and the wizard.
#include <string>
#include <string_view>

namespace cdz {

// Full Unicode case folding of UTF-8 text (ß -> ss). Invalid bytes pass through unchanged.
std::string foldCase(std::string_view utf8);
// Simple Unicode case folding, one character for one (what full folding does after
// upper-casing).
std::string simpleFoldCase(std::string_view utf8);
// Full Unicode upper-casing (ß -> SS).
std::string toUpper(std::string_view utf8);
// Full Unicode lower-casing.
std::string toLower(std::string_view utf8);
// True when a and b are equal after folding and ignoring trailing blanks.
bool equalsFolded(std::string_view a, std::string_view b);

}  // namespace cdz
