#include "runtime/text/Text.h"

#include <algorithm>

namespace cdz {

namespace {

// Length of the UTF-8 sequence that starts with byte b; 1 for a stray or invalid byte.
inline int sequenceLength(unsigned char b) {
    if (b < 0x80) return 1;
    if ((b & 0xE0) == 0xC0) return 2;
    if ((b & 0xF0) == 0xE0) return 3;
    if ((b & 0xF8) == 0xF0) return 4;
    return 1;
}

// Byte length of the sequence at s[i], never past the end and never over a byte that is not a
// continuation byte (so a truncated sequence counts as single bytes).
inline size_t stepAt(std::string_view s, size_t i) {
    const int len = sequenceLength(static_cast<unsigned char>(s[i]));
    if (len == 1 || i + static_cast<size_t>(len) > s.size()) return 1;
    for (int k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) & 0xC0) != 0x80) return 1;
    return static_cast<size_t>(len);
}

}  // namespace

std::string_view clip(std::string_view s) {
    const auto end = s.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : s.substr(0, end + 1);
}

std::string_view cutChars(std::string_view s, int n) {
    // Every character takes at least one byte: a text of no more bytes than n is whole, and
    // most texts are, so they are not walked character by character.
    if (n >= 0 && s.size() <= static_cast<size_t>(n)) return s;
    size_t i = 0;
    for (int c = 0; c < n && i < s.size(); ++c) i += stepAt(s, i);
    return s.substr(0, i);
}

int charCount(std::string_view s) {
    int count = 0;
    for (size_t i = 0; i < s.size(); i += stepAt(s, i)) ++count;
    return count;
}

int compareClipped(std::string_view a, std::string_view b) {
    a = clip(a);
    b = clip(b);
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string_view TextField::clipped() const {
    return clip(view());
}

void TextField::assign(std::string_view utf8) {
    const std::string_view cut = cutChars(utf8, width_);
    // Self-assignment from our own buffer is a prefix, so memmove keeps it right.
    if (!cut.empty()) std::memmove(buf_, cut.data(), cut.size());
    bytes_ = static_cast<uint16_t>(cut.size());
}

int TextField::compare(std::string_view other) const {
    return compareClipped(view(), other);
}

}  // namespace cdz
