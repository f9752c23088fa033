#include "querykit/qwizard/ElementDisplay.h"

#include <cctype>

#include "runtime/text/Picture.h"
#include "runtime/text/Text.h"

namespace qk {

namespace {

// A constant as shown: dates through the field's picture, times as hours and minutes.
std::string shownConstant(const XRQW_FieldEntry* field, const std::string& value) {
    if (field == nullptr) return value;
    const std::string_view picture = cdz::clip(field->Picture.view());
    const char letter =
        picture.size() > 1 ? static_cast<char>(std::toupper(static_cast<unsigned char>(picture[1])))
                           : ' ';
    if (letter == 'D') return cdz::formatPicture(picture, value);
    if (letter == 'T') return cdz::formatPicture("@T3", value);
    return value;
}

}  // namespace

std::string ElementDisplay::operatorName(int opcode) const {
    return std::string(cdz::clip(texts_.text(opcode)));
}

std::string ElementDisplay::label(int position) const {
    const XRQW_FieldEntry* f = fieldAt(fields_, position);
    return f ? std::string(f->Label.clipped()) : std::string(kMissingLabel);
}

std::string ElementDisplay::line(const QueryElement& e) const {
    std::string out = label(e.fieldIndex) + " " + operatorName(e.opcode);
    const XRQW_FieldEntry* field = fieldAt(fields_, e.fieldIndex);
    const bool checkBox = e.opcode == op::kChecked || e.opcode == op::kNotChecked ||
                          (field != nullptr && field->EntryKind == kCheckBox);
    switch (e.valueKind()) {
        case ValueKind::OtherField:
            out += " " + label(e.compareIndex);
            break;
        case ValueKind::Expression:
            out += " " + e.value;
            break;
        case ValueKind::Constant:
            if (!checkBox) out += " " + shownConstant(field, e.value);
            break;
    }
    return std::string(cdz::cutChars(out, kDisplayWidth));
}

}  // namespace qk
