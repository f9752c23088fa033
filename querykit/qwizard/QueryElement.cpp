#include "querykit/qwizard/QueryElement.h"

namespace qk {

std::string_view comparisonText(int opcode) {
    switch (opcode) {
        case op::kEqual:
        case op::kBeginsWith:
        case op::kNotChecked:
            return "=";
        case op::kNotEqual:
        case op::kNotBeginsWith:
        case op::kChecked:
            return "<>";
        case op::kGreater:
            return ">";
        case op::kLess:
            return "<";
        case op::kGreaterEqual:
            return "=>";
        case op::kLessEqual:
            return "<=";
        default:
            return {};
    }
}

const XRQW_FieldEntry* fieldAt(const XRQW_FieldsQueue& fields, int position) {
    if (position < 1 || static_cast<std::size_t>(position) > fields.size()) return nullptr;
    return &fields[static_cast<std::size_t>(position - 1)];
}

}  // namespace qk
