#include "runtime/text/NumberPicture.h"

namespace cdz {

namespace {

// Widest number picture accepted: far beyond any column, small enough that a typo such as
// "@n99999999" cannot ask for a huge string.
constexpr int kMaxWidth = 255;

// Reads 1..3 decimal digits at s[*i]; nullopt when there are none.
std::optional<int> readCount(std::string_view s, size_t* i) {
    int v = 0;
    size_t start = *i;
    while (*i < s.size() && s[*i] >= '0' && s[*i] <= '9' && *i - start < 3)
        v = v * 10 + (s[(*i)++] - '0');
    if (*i == start) return std::nullopt;
    return v;
}

std::string groupDigits(const std::string& digits) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

}  // namespace

std::optional<NumberPicture> NumberPicture::parse(std::string_view rest) {
    NumberPicture p;
    size_t i = 0;
    // A leading minus asks for "-" on negatives, which every number picture shows anyway: a
    // negative value must never read as positive.
    if (i < rest.size() && rest[i] == '-') ++i;
    if (i < rest.size()) {
        switch (rest[i]) {
            case '0':
                p.fill_ = Fill::Zero;
                p.grouped_ = false;
                ++i;
                break;
            case '*':
                p.fill_ = Fill::Asterisk;
                ++i;
                break;
            case '_':
                p.grouped_ = false;
                ++i;
                break;
            default:
                break;
        }
    }
    const auto width = readCount(rest, &i);
    if (!width || *width < 1 || *width > kMaxWidth) return std::nullopt;
    p.width_ = *width;
    if (i < rest.size() && rest[i] == '.') {
        ++i;
        const auto places = readCount(rest, &i);
        if (!places || *places >= p.width_) return std::nullopt;
        p.places_ = *places;
    }
    if (i < rest.size() && (rest[i] == 'b' || rest[i] == 'B')) {
        p.blankWhenZero_ = true;
        ++i;
    }
    if (i != rest.size()) return std::nullopt;
    return p;
}

std::string NumberPicture::layout(const NumberText& value, bool grouped) const {
    std::string body = grouped ? groupDigits(value.intDigits()) : value.intDigits();
    if (places_ > 0) {
        std::string frac = value.fracDigits();
        frac.resize(static_cast<size_t>(places_), '0');
        body += "." + frac;
    }
    const std::string sign = value.negative() ? "-" : "";
    const size_t width = static_cast<size_t>(width_);
    if (sign.size() + body.size() > width) return {};
    const size_t pad = width - sign.size() - body.size();
    switch (fill_) {
        case Fill::Zero:
            return sign + std::string(pad, '0') + body;
        case Fill::Asterisk:
            return std::string(pad, '*') + sign + body;
        case Fill::Blank:
            break;
    }
    return std::string(pad, ' ') + sign + body;
}

std::string NumberPicture::format(NumberText value) const {
    value.roundTo(places_);
    if (blankWhenZero_ && value.isZero()) return std::string(static_cast<size_t>(width_), ' ');
    // Grouping is dropped before giving up, so "n4b" still shows a year such as 1959.
    if (grouped_) {
        std::string out = layout(value, true);
        if (!out.empty()) return out;
    }
    std::string out = layout(value, false);
    if (!out.empty()) return out;
    return std::string(static_cast<size_t>(width_), '#');
}

std::string NumberPicture::format(double value) const {
    const auto n = NumberText::fromDouble(value);
    if (!n) return std::string(static_cast<size_t>(width_), '#');
    return format(*n);
}

std::string NumberPicture::format(std::string_view stored) const {
    return format(NumberText::read(stored).value_or(NumberText{}));
}

std::string NumberPicture::deformat(std::string_view shown) const {
    const auto n = NumberText::read(shown);
    return n ? n->plain() : "0";
}

}  // namespace cdz
