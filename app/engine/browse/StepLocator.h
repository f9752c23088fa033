#pragma once
// The step locator of the category and media browses: a typed character steps through the
// records that begin with it, then jumps to the first record at or after it. First letters are
// the same as the key compares them: folded for a case-insensitive key, else in upper case.
#include <string>
#include <string_view>

#include "app/engine/browse/KeyCollation.h"

namespace cdz {

class StepLocator {
public:
    enum class Action {
        Ignore,    // not a printable character
        StepDown,  // move one line down, then ask afterStep with the new highlighted record
        Locate,    // store locateValue() into the key's first component and locate by value
        Stay,      // highlight the current record again
    };

    explicit StepLocator(KeyCollation collation) : collation_(collation) {}

    // A key typed over the highlighted record, whose key component is `highlightedKey`.
    Action onKey(std::string_view typed, std::string_view highlightedKey) const;
    // After the step down: `highlightedKey` is the record now highlighted.
    Action afterStep(std::string_view typed, std::string_view highlightedKey) const;
    // What the browse stores to locate by: the typed character, upper-cased for a key that
    // minds case (where names are written capitalised, so "c" finds "CD").
    std::string locateValue(std::string_view typed) const;
    bool sameFirstLetter(std::string_view typed, std::string_view key) const;

private:
    KeyCollation collation_;
};

}  // namespace cdz
