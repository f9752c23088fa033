#include "app/songs/csv/ImportValue.h"

#include <algorithm>

#include <charconv>
#include <cmath>
#include <string>

#include "runtime/data/FieldLimits.h"
#include "runtime/text/DateTime.h"
#include "runtime/text/Text.h"

namespace cdz {
namespace {

std::string_view trimmed(std::string_view s) {
    const size_t from = s.find_first_not_of(" \t");
    if (from == std::string_view::npos) return {};
    s = s.substr(from);
    return s.substr(0, s.find_last_not_of(" \t") + 1);
}

bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (const char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// The leading number of the text ("12", "-3.5", "7 songs" gives 7), 0 when there is none.
double leadingNumber(std::string_view s) {
    s = trimmed(s);
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    double v = 0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return std::isfinite(v) ? v : 0;
}

// A number too large for any field stays too large rather than wrapping.
int64_t whole(double v) {
    constexpr double kFar = 9.0e18;
    return static_cast<int64_t>(std::clamp(v, -kFar, kFar));
}

int64_t numberIn(const std::string& plain) {
    return whole(leadingNumber(plain));
}

// The pictures a date or time is read through when the column's own picture gives none.
const Picture& picture(const char* text) {
    static const Picture iso = *Picture::parse("@d10"), us = *Picture::parse("@d2"),
                         desktop = *Picture::parse("@d17"), time = *Picture::parse("@t4");
    const std::string_view t = text;
    return t == "@d10" ? iso : t == "@d2" ? us : t == "@d17" ? desktop : time;
}

}  // namespace

std::string ImportValue::deformat(const Picture& p, std::string_view text) const {
    if (const DatePicture* d = p.asDate()) return d->deformat(text, currentYear_);
    return p.deformat(text);
}

int64_t ImportValue::dateOf(std::string_view text) const {
    if (text.size() >= 5 && allDigits(text.substr(0, 4)) && !allDigits(text.substr(4, 1)))
        return numberIn(deformat(picture("@d10"), text));
    const int64_t day = numberIn(deformat(picture("@d2"), text));
    return day != 0 ? day : numberIn(deformat(picture("@d17"), text));
}

ImportValue::Target ImportValue::targetOf(const FieldDesc& field) {
    if (field.isText()) return Target::Text;
    if (field.label == "MUS:ReleaseDate" || field.label == "MUS:LastPlayed") return Target::Date;
    if (field.label == "MUS:Time") return Target::Time;
    return Target::Number;
}

ImportValue::ImportValue(std::string_view picture, const FieldDesc& field)
    : picture_(Picture::parse(picture)),
      currentYear_(ymdFromDate(today()).year),
      field_(field),
      target_(targetOf(field)) {
    plain_ = !picture_ || picture_->kind() == 'S' || picture_->kind() == 'N';
}

int64_t ImportValue::numberOf(std::string_view text) const {
    if (!plain_) return whole(leadingNumber(deformat(*picture_, text)));
    const std::string_view t = trimmed(text);
    if (t.empty()) return 0;
    if (target_ == Target::Number || allDigits(t)) return whole(leadingNumber(t));
    if (target_ == Target::Date) return dateOf(t);
    return numberIn(deformat(picture("@t4"), t));
}

std::string ImportValue::store(std::string_view text, void* record) const {
    if (target_ != Target::Text) {
        const std::string_view t = trimmed(text);
        const bool negative = !t.empty() && t.front() == '-';
        if (negative && target_ != Target::Number)
            return field_.label + " \"" + std::string(t) + "\" is before zero";
        const int64_t v = numberOf(text);
        // A day number past the last day no date can show is no date.
        if (target_ == Target::Date && v > lastDay())
            return field_.label + " \"" + std::string(t) +
                   "\" is after the last day a date can hold (31 December 9999)";
        if (field_.type != FieldType::Decimal) {
            const FieldLimits limits = limitsOf(field_);
            if (v < limits.lo || v > limits.hi)
                return field_.label + " \"" + std::string(t) + "\" is not within " +
                       std::to_string(limits.lo) + " to " + std::to_string(limits.hi);
        }
        field_.setInteger(record, v);
        return {};
    }
    std::string deformatted;
    if (!plain_) text = deformatted = deformat(*picture_, text);
    if (field_.isMemo()) {
        field_.memo(record).assign(cutChars(text, field_.width));
    } else {
        field_.text(record).assign(text);
    }
    return {};
}

}  // namespace cdz
