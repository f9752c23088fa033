#pragma once
// Converts an elements table written by an older version (the operator's name in place of its
// number) to the current layout, under a notice window. The new table is written beside the
// old one and takes its name only when complete, in one step with the old table's removal, so
// a failure at any point leaves the old table as it was.
#include <cstdint>
#include <string_view>

#include "querykit/qwizard/DisplayTexts.h"
#include "querykit/qwizard/Messages.h"
#include "runtime/data/DataFile.h"

namespace qk {

class QUERYKIT_API ElementsConversion {
public:
    // `elements` is the (closed) current-layout elements table, named as the stored one.
    ElementsConversion(cdz::Database& db, cdz::DataFile& elements, Messages& messages,
                       const DisplayTexts& texts)
        : db_(db), elements_(elements), messages_(messages), texts_(texts) {}

    // Returns 0, or the failing code after "Error Converting Elements File - ..." was shown.
    int run();

    // The operator number of an operator's name, by exact comparison; 0 for any other text.
    static uint8_t opcodeOf(std::string_view operatorName);

private:
    cdz::Database& db_;
    cdz::DataFile& elements_;
    Messages& messages_;
    const DisplayTexts& texts_;
};

}  // namespace qk
