#include "app/engine/browse/IncrementalLocator.h"

#include <QChar>

#include "app/engine/browse/CodePoints.h"

namespace cdz {

bool IncrementalLocator::type(std::string_view text) {
    const std::u32string chars = toCodePoints(text);
    if (chars.empty()) return false;
    for (char32_t c : chars)
        if (!QChar::isPrint(c)) return false;
    bool changed = false;
    for (char32_t c : chars) {
        if (length_ >= kMaxChars) break;
        value_ += toUtf8(c);
        ++length_;
        changed = true;
    }
    return changed;
}

bool IncrementalLocator::backspace() {
    if (length_ == 0) return false;
    std::u32string chars = toCodePoints(value_);
    chars.pop_back();
    value_ = toUtf8(chars);
    --length_;
    return true;
}

void IncrementalLocator::blank() {
    value_.clear();
    length_ = 0;
}

}  // namespace cdz
