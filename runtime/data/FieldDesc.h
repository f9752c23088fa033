#pragma once
// One field or memo of a declared file, as the reflection table sees it: its label, type and
// width, and typed access to the member of any record buffer of that file.
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/data/SqlValue.h"
#include "runtime/text/Decimal.h"
#include "runtime/text/Text.h"

namespace cdz {

enum class FieldType : uint8_t { String, Byte, Short, Long, Decimal, Memo };

// Declared bytes of one field in the record layout (0 for a memo, which lives beside it).
int fieldBytes(FieldType type, int width, DecimalSpec decimal);

struct FieldDesc {
    std::string name;   // "Artist"
    std::string label;  // "MUS:Artist"
    FieldType type = FieldType::Long;
    int width = 0;  // characters for STRING and memos (memo: the maximum), digits for DECIMAL
    DecimalSpec decimal{0, 0};
    void* (*address)(void* record) = nullptr;

    bool isText() const { return type == FieldType::String || type == FieldType::Memo; }
    bool isMemo() const { return type == FieldType::Memo; }
    int bytes() const { return fieldBytes(type, width, decimal); }
    // "STRING(40)", "DECIMAL(6,0)", "MEMO(2000)"...
    std::string typeName() const;

    // Typed access; each asserts the matching type.
    TextField& text(void* record) const;
    std::string& memo(void* record) const;
    // BYTE, SHORT, LONG and DECIMAL(b,0) as integers; a DECIMAL with places gives its raw
    // scaled value.
    int64_t integer(const void* record) const;
    void setInteger(void* record, int64_t v) const;

    // The value as stored: texts clipped (memos cut at their maximum), integers, DECIMAL with
    // places as a real.
    SqlValue value(const void* record) const;
    // Sets the member from a stored value; NULL clears it. Numbers are wrapped as the
    // member type would on assignment.
    void assign(void* record, const SqlValue& v) const;
    void clear(void* record) const { assign(record, SqlValue{}); }
    // Display form without picture ("12.50", "42", the clipped text).
    std::string toString(const void* record) const;
    // Parses a display form; false (member unchanged) when a number does not parse.
    bool fromString(void* record, std::string_view s) const;

private:
    void* at(const void* record) const { return address(const_cast<void*>(record)); }
};

}  // namespace cdz
