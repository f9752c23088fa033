#include "runtime/text/Decimal.h"

#include <cmath>
#include <cstdio>

namespace cdz {

namespace {

// Largest raw value a width holds: 2b-1 nines.
int64_t decimalMax(DecimalSpec spec) {
    int64_t m = 0;
    for (int i = 0; i < spec.digits() && i < 18; ++i) m = m * 10 + 9;
    return m;
}

// Reads [sign] digits [. digits] exactly, rounding extra places half away from zero. Digits
// past what an int64 can hold saturate, which the clamp then brings to the width's limit.
std::optional<int64_t> parseScaled(std::string_view s, int places) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    size_t end = s.size();
    while (end > i && s[end - 1] == ' ') --end;
    bool negative = false;
    if (i < end && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    constexpr int64_t kSaturated = INT64_MAX / 10 - 10;
    int64_t value = 0;
    int digits = 0;
    int fraction = -1;  // places read so far after the point; -1 before it
    bool roundUp = false;
    bool seenRoundingDigit = false;
    for (; i < end; ++i) {
        const char c = s[i];
        if (c == '.') {
            if (fraction >= 0) return std::nullopt;
            fraction = 0;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        ++digits;
        if (fraction >= 0) {
            if (fraction == places) {
                // The first digit beyond the kept places decides the rounding.
                if (!seenRoundingDigit) roundUp = c >= '5';
                seenRoundingDigit = true;
                continue;
            }
            ++fraction;
        }
        value = value > kSaturated ? kSaturated : value * 10 + (c - '0');
    }
    if (digits == 0) return std::nullopt;
    for (int f = fraction < 0 ? 0 : fraction; f < places; ++f)
        value = value > kSaturated ? kSaturated : value * 10;
    if (roundUp) ++value;
    return negative ? -value : value;
}

}  // namespace

int64_t decimalScale(int places) {
    int64_t s = 1;
    for (int i = 0; i < places; ++i) s *= 10;
    return s;
}

int64_t decimalClamp(int64_t raw, DecimalSpec spec) {
    const int64_t m = decimalMax(spec);
    return raw > m ? m : (raw < -m ? -m : raw);
}

int64_t decimalFromDouble(double v, DecimalSpec spec) {
    if (std::isnan(v)) return 0;
    if (std::isinf(v)) return v > 0 ? decimalMax(spec) : -decimalMax(spec);
    // Going through the shortest faithful decimal text rounds what the user typed (2.675), not
    // the binary neighbour it became (2.67499999...).
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    std::string_view text(buf);
    if (text.find_first_of("eE") != std::string_view::npos) {
        // Tiny or huge: plain scaling is exact enough and the clamp bounds it.
        const double scaled = std::round(v * static_cast<double>(decimalScale(spec.places)));
        if (scaled >= 9.2e18) return decimalMax(spec);
        if (scaled <= -9.2e18) return -decimalMax(spec);
        return decimalClamp(static_cast<int64_t>(scaled), spec);
    }
    return decimalClamp(parseScaled(text, spec.places).value_or(0), spec);
}

double decimalToDouble(int64_t raw, DecimalSpec spec) {
    return static_cast<double>(raw) / static_cast<double>(decimalScale(spec.places));
}

std::string decimalToString(int64_t raw, DecimalSpec spec) {
    const uint64_t mag = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
    std::string digits = std::to_string(mag);
    if (spec.places > 0) {
        const size_t places = static_cast<size_t>(spec.places);
        if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
        digits.insert(digits.size() - places, 1, '.');
    }
    return raw < 0 ? "-" + digits : digits;
}

std::optional<int64_t> decimalFromString(std::string_view s, DecimalSpec spec) {
    const auto v = parseScaled(s, spec.places);
    if (!v) return std::nullopt;
    return decimalClamp(*v, spec);
}

}  // namespace cdz
