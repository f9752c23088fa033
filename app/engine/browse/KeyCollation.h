#pragma once
// How a key's text component compares: in code point order, or, for a case-insensitive key,
// by its sort key, the very form the data files index ("Édith" = "ÉDITH", filed with E).
// Trailing blanks never count. Locators and the scroll thumb compare through it.
#include <string>
#include <string_view>

namespace cdz {

class KeyCollation {
public:
    explicit KeyCollation(bool noCase = false) : noCase_(noCase) {}

    bool noCase() const { return noCase_; }
    // The text as the key compares it: clipped, and its sort key for a case-insensitive key.
    std::string form(std::string_view utf8) const;
    // <0, 0, >0 as the key orders a before, with or after b.
    int compare(std::string_view a, std::string_view b) const;

private:
    bool noCase_;
};

}  // namespace cdz
