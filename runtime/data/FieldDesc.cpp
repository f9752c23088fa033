#include "runtime/data/FieldDesc.h"

#include <cassert>
#include <charconv>
#include <cmath>

namespace cdz {

int fieldBytes(FieldType type, int width, DecimalSpec decimal) {
    switch (type) {
        case FieldType::String:
            return width;
        case FieldType::Byte:
            return 1;
        case FieldType::Short:
            return 2;
        case FieldType::Long:
            return 4;
        case FieldType::Decimal:
            return decimal.bytes;
        case FieldType::Memo:
            return 0;
    }
    return 0;
}

std::string FieldDesc::typeName() const {
    switch (type) {
        case FieldType::String:
            return "STRING(" + std::to_string(width) + ")";
        case FieldType::Byte:
            return "BYTE";
        case FieldType::Short:
            return "SHORT";
        case FieldType::Long:
            return "LONG";
        case FieldType::Decimal:
            return "DECIMAL(" + std::to_string(decimal.bytes) + "," +
                   std::to_string(decimal.places) + ")";
        case FieldType::Memo:
            return "MEMO(" + std::to_string(width) + ")";
    }
    return {};
}

TextField& FieldDesc::text(void* record) const {
    assert(type == FieldType::String);
    return *static_cast<TextField*>(address(record));
}

std::string& FieldDesc::memo(void* record) const {
    assert(type == FieldType::Memo);
    return *static_cast<std::string*>(address(record));
}

int64_t FieldDesc::integer(const void* record) const {
    void* p = at(record);
    switch (type) {
        case FieldType::Byte:
            return *static_cast<uint8_t*>(p);
        case FieldType::Short:
            return *static_cast<int16_t*>(p);
        case FieldType::Long:
            return *static_cast<int32_t*>(p);
        case FieldType::Decimal:
            return *static_cast<int64_t*>(p);  // Decimal<B,P> is its raw
        default:
            assert(false && "not a number");
            return 0;
    }
}

void FieldDesc::setInteger(void* record, int64_t v) const {
    void* p = address(record);
    switch (type) {
        case FieldType::Byte:
            *static_cast<uint8_t*>(p) = static_cast<uint8_t>(v);
            break;
        case FieldType::Short:
            *static_cast<int16_t*>(p) = static_cast<int16_t>(v);
            break;
        case FieldType::Long:
            *static_cast<int32_t*>(p) = static_cast<int32_t>(v);
            break;
        case FieldType::Decimal:
            *static_cast<int64_t*>(p) = decimalClamp(v, decimal);
            break;
        default:
            assert(false && "not a number");
    }
}

SqlValue FieldDesc::value(const void* record) const {
    switch (type) {
        case FieldType::String:
            return std::string(static_cast<const TextField*>(at(record))->clipped());
        case FieldType::Memo: {
            const auto& s = *static_cast<const std::string*>(at(record));
            return std::string(clip(cutChars(s, width)));
        }
        case FieldType::Decimal:
            if (decimal.places > 0) return decimalToDouble(integer(record), decimal);
            return integer(record);
        default:
            return integer(record);
    }
}

void FieldDesc::assign(void* record, const SqlValue& v) const {
    if (isText()) {
        std::string_view s = "";  // never a null view: TextField::assign copies from it
        std::string num;
        if (const auto* str = std::get_if<std::string>(&v)) {
            s = *str;
        } else if (const auto* i = std::get_if<int64_t>(&v)) {
            num = std::to_string(*i);
            s = num;
        } else if (const auto* d = std::get_if<double>(&v)) {
            num = std::to_string(*d);
            s = num;
        }
        if (type == FieldType::String) {
            text(record).assign(s);
        } else {
            memo(record).assign(cutChars(s, width));
        }
        return;
    }
    int64_t raw = 0;
    const bool scaled = type == FieldType::Decimal && decimal.places > 0;
    if (const auto* i = std::get_if<int64_t>(&v)) {
        raw = scaled ? *i * decimalScale(decimal.places) : *i;
    } else if (const auto* d = std::get_if<double>(&v)) {
        raw = scaled ? decimalFromDouble(*d, decimal) : static_cast<int64_t>(std::llround(*d));
    } else if (const auto* str = std::get_if<std::string>(&v)) {
        if (!fromString(record, *str)) setInteger(record, 0);
        return;
    }
    setInteger(record, raw);
}

std::string FieldDesc::toString(const void* record) const {
    switch (type) {
        case FieldType::String:
            return std::string(static_cast<const TextField*>(at(record))->clipped());
        case FieldType::Memo:
            return *static_cast<const std::string*>(at(record));
        case FieldType::Decimal:
            return decimalToString(integer(record), decimal);
        default:
            return std::to_string(integer(record));
    }
}

bool FieldDesc::fromString(void* record, std::string_view s) const {
    if (isText()) {
        assign(record, std::string(s));
        return true;
    }
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    s = clip(s);
    if (type == FieldType::Decimal) {
        auto raw = decimalFromString(s, decimal);
        if (!raw) return false;
        setInteger(record, *raw);
        return true;
    }
    int64_t v = 0;
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || end != s.data() + s.size()) return false;
    setInteger(record, v);
    return true;
}

}  // namespace cdz
