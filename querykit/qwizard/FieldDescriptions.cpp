#include "querykit/qwizard/FieldDescriptions.h"

#include <limits>
#include <new>
#include <stdexcept>

namespace qk {

namespace {

constexpr int kValues = 9;

// The runtime's reading of a number from text: leading blanks, a sign and the digits that
// follow; anything else reads as 0. Kept within the field's range rather than wrapped.
template <class T>
T numberOf(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    constexpr long long kCap = 1LL << 40;  // far beyond any field, safe from overflow
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < kCap) value = value * 10 + (text[i] - '0');
    }
    if (negative) value = -value;
    const long long lo = std::numeric_limits<T>::min();
    const long long hi = std::numeric_limits<T>::max();
    return static_cast<T>(value < lo ? lo : value > hi ? hi : value);
}

}  // namespace

int32_t FieldDescriptions::add(XRQW_FieldsQueue& queue, std::string_view description) {
    const std::string_view text = cdz::clip(description);
    if (!text.ends_with(kFieldEnd)) return kNotEnded;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find(kFieldEnd, pos);  // found: the text ends with one
        const std::string_view field = text.substr(pos, end - pos);
        pos = end + kFieldEnd.size();

        std::string_view v[kValues];
        int count = 0;
        for (size_t p = 0; p < field.size();) {
            const size_t sep = field.find(kValueEnd, p);
            // Text after the ninth value's separator, or a tenth value, is one too many.
            if (sep == std::string_view::npos || count == kValues) return kBadValues;
            v[count++] = field.substr(p, sep - p);
            p = sep + kValueEnd.size();
        }
        if (count != kValues) return kBadValues;

        XRQW_FieldEntry e;
        e.Label = v[0];
        e.KeyByLabel = numberOf<uint8_t>(v[1]);
        e.Source = v[2];
        e.Picture = v[3];
        e.Size = numberOf<int16_t>(v[4]);
        e.DataKind = numberOf<uint8_t>(v[5]);
        e.EntryKind = numberOf<uint8_t>(v[6]);
        e.Lookup = v[7];
        e.Choices = v[8];
        try {
            queue.add(e);
        } catch (const std::bad_alloc&) {
            return kNoMemory;
        } catch (const std::length_error&) {
            return kNoMemory;
        }
    }
    return 0;
}

}  // namespace qk
