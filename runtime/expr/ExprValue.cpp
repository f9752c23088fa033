#include "runtime/expr/ExprValue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "runtime/text/Text.h"

namespace cdz {

double ExprValue::toNumber() const {
    if (kind == Kind::Number) return number;
    return parseExprNumber(text).value_or(0.0);
}

std::string ExprValue::toText() const {
    if (kind == Kind::String) return text;
    char buf[kExprNumberTextMax];
    return std::string(buf, formatExprNumber(number, buf));
}

bool ExprValue::isTrue() const {
    return kind == Kind::Number ? number != 0 : !clip(text).empty();
}

size_t formatExprNumber(double v, char* out) {
    if (!std::isfinite(v) || v == 0) {
        out[0] = '0';
        return 1;
    }
    // Fixed notation keeps the text readable by parseExprNumber (no exponent); 15 significant
    // digits hide the binary noise of sums like 0.1 + 0.2.
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    const int places = std::clamp(14 - magnitude, 0, 340);
    const auto res =
        std::to_chars(out, out + kExprNumberTextMax, v, std::chars_format::fixed, places);
    if (res.ec != std::errc{}) {
        out[0] = '0';
        return 1;
    }
    size_t len = static_cast<size_t>(res.ptr - out);
    if (places > 0) {
        while (out[len - 1] == '0') --len;
        if (out[len - 1] == '.') --len;
    }
    if (len == 2 && out[0] == '-' && out[1] == '0') {
        out[0] = '0';
        len = 1;
    }
    return len;
}

std::optional<double> parseExprNumber(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int digits = 0;
    int points = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || points > 1) return std::nullopt;
    double v = 0;
    const auto res =
        std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
    if (res.ec != std::errc{} || res.ptr != text.data() + text.size() || !std::isfinite(v))
        return std::nullopt;
    return negative ? -v : v;
}

int64_t exprToInt64(double v) {
    if (std::isnan(v)) return 0;
    // 2^63 is exact in a double; anything at or beyond it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (v >= limit) return std::numeric_limits<int64_t>::max();
    if (v < -limit) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(v);
}

int exprToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

}  // namespace cdz
