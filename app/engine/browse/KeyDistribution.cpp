#include "app/engine/browse/KeyDistribution.h"

#include <algorithm>

#include <QChar>

#include "app/engine/browse/CodePoints.h"
#include "runtime/text/SortKey.h"
#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {

namespace {

constexpr int kDigits = 4;

}  // namespace

KeyDistribution::KeyDistribution(int width, int classes, KeyCollation collation)
    : width_(width),
      alphabet_(classes, collation.noCase()),
      upper_((classes & kThumbLetters) && !(classes & kThumbCaseSensitive)),
      collation_(collation) {}

std::u32string KeyDistribution::fourAfterPrefix(const std::u32string& value,
                                                size_t prefixLength) const {
    std::u32string rest = value.substr(std::min(prefixLength, value.size()));
    if (upper_) rest = toCodePoints(toUpper(toUtf8(rest)));
    return rest.substr(0, kDigits);
}

int64_t KeyDistribution::numberOf(const std::u32string& four) const {
    const int64_t base = alphabet_.size() + 1;
    int64_t n = 0;
    for (size_t i = 0; i < kDigits; ++i)
        n = n * base + (i < four.size() ? alphabet_.placeOf(four[i]) : 0);
    return n;
}

std::string KeyDistribution::pointOf(int64_t number) const {
    const int64_t base = alphabet_.size() + 1;
    std::array<int64_t, kDigits> digits{};
    for (int i = kDigits - 1; i >= 0; --i) {
        digits[static_cast<size_t>(i)] = number % base;
        number /= base;
    }
    std::u32string chars;
    for (int64_t d : digits)
        if (d > 0 && d <= alphabet_.size()) chars.push_back(alphabet_.at(static_cast<int>(d)));
    return prefix_ + toUtf8(chars);
}

std::string KeyDistribution::comparable(std::string_view key) const {
    return upper_ ? collation_.form(toUpper(key)) : collation_.form(key);
}

void KeyDistribution::build(std::string_view low, std::string_view high) {
    low_ = std::string(clip(cutChars(low, width_)));
    high_ = std::string(clip(cutChars(high, width_)));
    // A case-blind key files accented letters with their base letters: so do the points.
    const auto filed = [&](const std::string& key) {
        std::u32string chars = toCodePoints(key);
        if (!collation_.noCase()) return chars;
        std::u32string out;
        for (char32_t c : chars) {
            const std::string base = sortPrefix(toUtf8(c));
            out += toCodePoints(QChar::isUpper(c) ? toUpper(base) : base);
        }
        return out;
    };
    const std::u32string lowChars = filed(low_);
    std::u32string highChars = filed(high_);
    // A high key shorter than the width stands for everything that begins with it.
    if (alphabet_.size() > 0 && static_cast<int>(highChars.size()) < width_)
        highChars.resize(static_cast<size_t>(width_), alphabet_.chars().back());

    size_t common = 0;
    while (common < lowChars.size() && common < highChars.size() &&
           collation_.form(toUtf8(lowChars[common])) == collation_.form(toUtf8(highChars[common])))
        ++common;
    prefix_ = toUtf8(std::u32string_view(lowChars).substr(0, common));

    const std::u32string lowFour = fourAfterPrefix(lowChars, common);
    const std::u32string highFour = fourAfterPrefix(highChars, common);
    lowNumber_ = numberOf(lowFour);
    highNumber_ = numberOf(highFour);
    const int64_t step = (highNumber_ - lowNumber_) / (kPoints - 1);

    points_.front() = prefix_ + toUtf8(lowFour);
    points_.back() = prefix_ + toUtf8(highFour);
    for (int k = 2; k < kPoints; ++k)
        points_[static_cast<size_t>(k - 1)] = pointOf(lowNumber_ + step * (k - 1));
    for (size_t i = 0; i < points_.size(); ++i) {
        // A point is a value of the key component, so it holds no more than its width.
        points_[i] = std::string(cutChars(points_[i], width_));
        comparable_[i] = comparable(points_[i]);
    }
    built_ = true;
}

int KeyDistribution::thumbPosition(std::string_view key) const {
    if (!built_) return 0;
    const std::string wanted = comparable(key);
    for (int k = 1; k <= kPoints; ++k)
        if (comparable_[static_cast<size_t>(k - 1)].compare(wanted) >= 0) return k < 2 ? 0 : k;
    return kPoints;
}

}  // namespace cdz
