#pragma once
// The values a numeric field can hold, for converting stored values of an older layout into it
// (the files and the server each write the conversion in their own SQL).
#include <string>

#include "runtime/data/FieldDesc.h"

namespace cdz {

struct FieldLimits {
    // Whole numbers: from `lo` to `hi`.
    long long lo = 0;
    long long hi = 0;
    // Decimals with places: rounded to `places`, within -limit..limit ("999.99").
    int places = 0;
    std::string limit;
};

// The limits of a BYTE, SHORT, LONG or DECIMAL field (a text field has none: all zero).
FieldLimits limitsOf(const FieldDesc& f);

}  // namespace cdz
