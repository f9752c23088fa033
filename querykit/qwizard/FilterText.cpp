#include "querykit/qwizard/FilterText.h"

#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace qk {

namespace {

bool isOneOf(int opcode, int a, int b) {
    return opcode == a || opcode == b;
}

// The condition's part of the text (without the leading blank that joins it).
std::string conditionText(const QueryElement& e) {
    std::string f(cdz::clip(e.source));
    std::string v(cdz::clip(e.value));
    const std::string opText(comparisonText(e.opcode));
    const std::string conj(cdz::clip(e.conjunction));
    const ValueKind kind = e.valueKind();

    if (isOneOf(e.opcode, op::kBeginsWith, op::kNotBeginsWith)) {
        // The length of the value as typed: upper-casing may change it.
        f = "SUB(" + f + ",1," + std::to_string(cdz::charCount(v)) + ")";
    }
    if (isOneOf(e.opcode, op::kChecked, op::kNotChecked)) return f + " " + opText + " 0 " + conj;

    if (e.dataKind == kNumberData) {
        if (e.matchType) {
            f = "ABS(" + f + ")";
            if (kind == ValueKind::OtherField) v = "ABS(" + v + ")";
        }
        return f + " " + opText + " " + v + " " + conj;
    }

    if (!e.matchType) {
        f = "UPPER(" + f + ")";
        v = kind == ValueKind::OtherField ? "UPPER(" + v + ")" : cdz::toUpper(v);
    }
    if (isOneOf(e.opcode, op::kContains, op::kNotContains)) {
        const std::string needle = kind == ValueKind::Constant ? FilterText::quoted(v) : v;
        f = "INSTRING(" + needle + "," + f + ",1,1)";
        if (e.opcode == op::kNotContains) f = "NOT " + f;
        return f + " " + conj;
    }
    if (kind != ValueKind::Constant) return f + " " + opText + " " + v + " " + conj;
    return f + " " + opText + " " + FilterText::quoted(v) + " " + conj;
}

}  // namespace

std::string FilterText::quoted(std::string_view constant) {
    std::string out = "'";
    for (char c : constant) {
        out += c;
        if (c == '\'') out += '\'';
    }
    out += '\'';
    return out;
}

std::string FilterText::generate(const std::vector<QueryElement>& elements) {
    std::string t;
    for (const QueryElement& e : elements) {
        t = std::string(cdz::clip(t)) + " " + conditionText(e);
        // The text is built in a buffer of fixed width.
        t.resize(cdz::cutChars(t, kWidth).size());
    }
    const auto first = t.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return std::string(cdz::clip(std::string_view(t).substr(first)));
}

}  // namespace qk
