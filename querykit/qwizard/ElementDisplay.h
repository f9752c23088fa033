#pragma once
// The line a condition shows in the wizard's condition list: the field's label, the operator's
// name and the value as the user knows it (dates and times through their pictures, another
// field by its label). A field that no longer exists shows as "?????".
#include <string>
#include <string_view>

#include "querykit/qwizard/DisplayTexts.h"
#include "querykit/qwizard/QueryElement.h"

namespace qk {

class QUERYKIT_API ElementDisplay {
public:
    static constexpr std::string_view kMissingLabel = "?????";

    ElementDisplay(const XRQW_FieldsQueue& fields, const DisplayTexts& texts)
        : fields_(fields), texts_(texts) {}

    // At most kDisplayWidth characters.
    std::string line(const QueryElement& element) const;
    // The operator's name from its display-text slot.
    std::string operatorName(int opcode) const;
    // The clipped label of the field at a position, or "?????".
    std::string label(int position) const;

private:
    const XRQW_FieldsQueue& fields_;
    const DisplayTexts& texts_;
};

}  // namespace qk
