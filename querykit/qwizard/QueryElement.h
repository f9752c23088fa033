#pragma once
// One condition of a query as the wizard holds it: a field, an operator, a value and the word
// joining it to the next condition. Field positions count from 1 in the host's fields queue
// (in the order the host left it); -1 marks a field a saved query names but the queue lacks.
#include <cstdint>
#include <string>
#include <string_view>

#include "querykit/querykit.h"

namespace qk {

// Operators by number: 1..6 compare, 7..10 work on text, 11 and 12 test a check box.
namespace op {
inline constexpr int kEqual = 1;
inline constexpr int kNotEqual = 2;
inline constexpr int kGreater = 3;
inline constexpr int kLess = 4;
inline constexpr int kGreaterEqual = 5;
inline constexpr int kLessEqual = 6;
inline constexpr int kBeginsWith = 7;
inline constexpr int kContains = 8;
inline constexpr int kNotBeginsWith = 9;
inline constexpr int kNotContains = 10;
inline constexpr int kChecked = 11;
inline constexpr int kNotChecked = 12;
inline constexpr int kLast = 12;
}  // namespace op

// How a condition's value is given.
enum class ValueKind : uint8_t { Constant = 1, OtherField = 2, Expression = 3 };

// DataKind and EntryKind of a field entry.
inline constexpr uint8_t kTextData = 1;
inline constexpr uint8_t kNumberData = 2;
inline constexpr uint8_t kEntryField = 1;
inline constexpr uint8_t kCheckBox = 2;
inline constexpr uint8_t kDropList = 3;

// Widths of the condition's texts, in characters.
inline constexpr int kDisplayWidth = 60;
inline constexpr int kValueWidth = 80;

struct QueryElement {
    std::string display;      // the line shown in the condition list
    std::string conjunction;  // "AND" or "OR" to the next condition; blank on the last
    std::string source;       // the field's Source
    int opcode = op::kEqual;
    std::string value;  // constant, expression text, or the other field's Source
    uint8_t dataKind = kTextData;
    bool matchType = false;  // option box: case-sensitive text, absolute numbers
    int fieldIndex = 0;      // position of the field; -1 when it no longer exists
    int compareIndex = 0;    // position of the other field; 0 none, -1 no longer exists
    bool isExpression = false;

    ValueKind valueKind() const {
        if (isExpression) return ValueKind::Expression;
        return compareIndex != 0 ? ValueKind::OtherField : ValueKind::Constant;
    }
    bool operator==(const QueryElement&) const = default;
};

// The comparison text of an operator ("=", "<>", ... "=>"); blank for Contains and its negation.
QUERYKIT_API std::string_view comparisonText(int opcode);

// The field at a 1-based position of the queue, or nullptr.
QUERYKIT_API const XRQW_FieldEntry* fieldAt(const XRQW_FieldsQueue& fields, int position);

}  // namespace qk
