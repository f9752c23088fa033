#pragma once
// The add-album wizard's scratch track list `AddWizard` (prefix AW, CDZAdWiz). Each wizard run
// sees only the rows whose Instance is its own thread number.
#include <cstdint>

#include "runtime/data/FileDecl.h"
#include "runtime/text/Decimal.h"
#include "runtime/text/Text.h"

namespace cdz {

struct AddWizardRecord {
    Decimal<6, 0> Instance;
    Text<1> Side;
    Decimal<2, 0> Track;  // up to 3 digits
    Text<30> Artist;      // 30, not 40 as in the songs file
    Text<30> Title;
    int32_t Time = 0;

    enum Key : int { KeyInstance };

    static const FileDecl& declaration();
};

}  // namespace cdz
