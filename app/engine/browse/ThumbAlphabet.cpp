#include "app/engine/browse/ThumbAlphabet.h"

#include <QChar>

#include "app/engine/browse/CodePoints.h"
#include "runtime/text/SortKey.h"
#include "runtime/text/Unicode.h"

namespace cdz {

namespace {

constexpr std::u32string_view kPunctuation = U"`!\"\u00A3$%^&*()'-=_+[]#;~@:/.,?\\| ";
static_assert(kPunctuation.size() == 30);

bool taken(char32_t c, int classes) {
    if (c >= U'0' && c <= U'9') return (classes & kThumbDigits) != 0;
    if (kPunctuation.find(c) != std::u32string_view::npos)
        return (classes & kThumbPunctuation) != 0;
    if (!QChar::isLetter(c) || !(classes & kThumbLetters)) return false;
    return (classes & kThumbCaseSensitive) || QChar::isUpper(c);
}

}  // namespace

ThumbAlphabet::ThumbAlphabet(int classes, bool baseLettersOnly) {
    for (char32_t c = 1; c <= 255; ++c) {
        places_[c] = static_cast<uint8_t>(chars_.size());
        if (!taken(c, classes)) continue;
        if (baseLettersOnly && sortPrefix(toUtf8(c)) != foldCase(toUtf8(c))) continue;
        chars_.push_back(c);
        digits_[c] = static_cast<uint8_t>(chars_.size());
        places_[c] = digits_[c];
    }
}

}  // namespace cdz
