#pragma once
// The validation of one form control, run when the user leaves the changed control and, in
// control order, when OK is pressed: a number between two bounds, a value that must be found
// in another file's key, or a check of the form's own that shows its own warning.
#include <cstdint>
#include <functional>
#include <string>

#include "app/domain/data/CatalogueFile.h"

namespace cdz {

struct FieldCheck {
    enum class Kind { None, Range, InFile, Own };

    Kind kind = Kind::None;
    std::string field;  // the checked field's label ("MUS:ChartNumber"), named by the warning
    int64_t low = 0;
    int64_t high = 0;
    CatalogueFile otherFile = CatalogueFile::Media;
    std::string otherKey;       // the key of the other file the value must be found in
    std::function<bool()> own;  // false when the value is refused (the check warned)

    static FieldCheck none() { return {}; }
    static FieldCheck range(std::string field, int64_t low, int64_t high) {
        FieldCheck c;
        c.kind = Kind::Range;
        c.field = std::move(field);
        c.low = low;
        c.high = high;
        return c;
    }
    static FieldCheck inFile(std::string field, CatalogueFile other, std::string key) {
        FieldCheck c;
        c.kind = Kind::InFile;
        c.field = std::move(field);
        c.otherFile = other;
        c.otherKey = std::move(key);
        return c;
    }
    static FieldCheck ownCheck(std::function<bool()> check) {
        FieldCheck c;
        c.kind = Kind::Own;
        c.own = std::move(check);
        return c;
    }
};

}  // namespace cdz
