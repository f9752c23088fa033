#pragma once
// The categories file `Categories` (prefix CAT, CDZCAT): song and album categories.
#include "runtime/data/FileDecl.h"
#include "runtime/text/Decimal.h"
#include "runtime/text/Text.h"

namespace cdz {

struct CategoryRecord {
    Decimal<6, 0> CategoryID;
    Text<30> Category;

    enum Key : int { KeyCategoryID, KeyCategory };

    static const FileDecl& declaration();
};

}  // namespace cdz
