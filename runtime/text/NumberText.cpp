#include "runtime/text/NumberText.h"

#include <charconv>
#include <cmath>

namespace cdz {

namespace {

// Characters a shown number may carry besides its digits, point and sign.
bool isIgnorable(std::string_view s, size_t i, size_t* len) {
    static constexpr std::string_view kMultiByte[] = {
        "\xC2\xA0",      // no-break space
        "\xE2\x82\xAC",  // euro sign
        "\xC2\xA3",      // pound sign
        "\xC2\xA5",      // yen sign
    };
    const char c = s[i];
    if (c == ' ' || c == ',' || c == '$' || c == '*' || c == '\t') {
        *len = 1;
        return true;
    }
    for (std::string_view m : kMultiByte) {
        if (s.substr(i, m.size()) == m) {
            *len = m.size();
            return true;
        }
    }
    return false;
}

void trimLeadingZeros(std::string& digits) {
    // Built anew rather than erased in place: GCC 12 reports a false overlap (-Wrestrict) for
    // the in-place erase at -O2.
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        digits.assign(1, '0');
    else if (first > 0)
        digits = std::string(digits.begin() + static_cast<std::ptrdiff_t>(first), digits.end());
}

}  // namespace

std::optional<NumberText> NumberText::fromDouble(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    // Fixed notation of the largest double needs about 310 characters.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (res.ec != std::errc{}) return std::nullopt;
    return read(std::string_view(buf, static_cast<size_t>(res.ptr - buf)));
}

std::optional<NumberText> NumberText::read(std::string_view shown) {
    std::string s;
    s.reserve(shown.size());
    for (size_t i = 0; i < shown.size();) {
        size_t len = 0;
        if (isIgnorable(shown, i, &len)) {
            i += len;
            continue;
        }
        s.push_back(shown[i++]);
    }

    bool negative = false;
    std::string_view rest(s);
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    if (!rest.empty() && rest.front() == '(') {
        if (rest.size() < 2 || rest.back() != ')') return std::nullopt;
        negative = true;
        rest = rest.substr(1, rest.size() - 2);
    } else if (!rest.empty() && rest.back() == '-' && !negative) {
        negative = true;
        rest.remove_suffix(1);
    }

    NumberText n;
    n.negative_ = negative;
    n.int_.clear();
    bool point = false;
    for (char c : rest) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            (point ? n.frac_ : n.int_).push_back(c);
        } else {
            return std::nullopt;
        }
    }
    if (n.int_.empty() && n.frac_.empty()) return std::nullopt;
    trimLeadingZeros(n.int_);
    while (!n.frac_.empty() && n.frac_.back() == '0') n.frac_.pop_back();
    return n;
}

void NumberText::roundTo(int places) {
    if (places < 0) places = 0;
    const size_t keep = static_cast<size_t>(places);
    if (frac_.size() <= keep) return;
    const bool up = frac_[keep] >= '5';
    frac_.resize(keep);
    if (up) {
        // Carry through the kept fraction and then the integer digits.
        std::string all = int_ + frac_;
        size_t i = all.size();
        while (i > 0 && all[i - 1] == '9') all[--i] = '0';
        if (i == 0)
            all.insert(all.begin(), '1');
        else
            ++all[i - 1];
        int_ = all.substr(0, all.size() - keep);
        frac_ = all.substr(all.size() - keep);
    }
    trimLeadingZeros(int_);
    while (!frac_.empty() && frac_.back() == '0') frac_.pop_back();
}

bool NumberText::isZero() const {
    return int_ == "0" && frac_.empty();
}

std::string NumberText::plain() const {
    std::string out = negative() ? "-" + int_ : int_;
    if (!frac_.empty()) out += "." + frac_;
    return out;
}

int64_t NumberText::toInt64() const {
    // 19 digits may already exceed the range; anything longer surely does.
    if (int_.size() > 18) return negative() ? INT64_MIN : INT64_MAX;
    int64_t v = 0;
    for (char c : int_) v = v * 10 + (c - '0');
    return negative() ? -v : v;
}

}  // namespace cdz
