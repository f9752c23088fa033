#pragma once
// DECIMAL(b,p): a packed decimal of b bytes holds 2b-1 digits, p of them places. Held here as
// a scaled 64-bit integer; a value beyond the digit limit is held at the largest value of its
// sign (999 for DECIMAL(2,0)) rather than wrapping to its low digits, so an overflow never turns
// a large number into a small, plausible-looking one.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cdz {

// The non-template face of Decimal<B,P>.
struct DecimalSpec {
    int bytes;
    int places;
    int digits() const { return 2 * bytes - 1; }
};

// Scaled value helpers shared by every width.
int64_t decimalScale(int places);  // 10^places
// Rounds v to `places` places (half away from zero) and applies the digit limit.
int64_t decimalFromDouble(double v, DecimalSpec spec);
double decimalToDouble(int64_t raw, DecimalSpec spec);
// "12.50", "-3", "0.05" (no trailing zero trimming: exactly `places` places).
std::string decimalToString(int64_t raw, DecimalSpec spec);
// Accepts an optional sign, digits, an optional point and more digits; nullopt otherwise.
std::optional<int64_t> decimalFromString(std::string_view s, DecimalSpec spec);
// Holds raw within the digit limit (saturating).
int64_t decimalClamp(int64_t raw, DecimalSpec spec);

template <int B, int P>
class Decimal {
    static_assert(B >= 1 && B <= 9 && P >= 0 && P < 2 * B, "decimal out of range");

public:
    static constexpr DecimalSpec spec{B, P};
    Decimal() = default;
    explicit Decimal(double v) : raw_(decimalFromDouble(v, spec)) {}
    static Decimal fromRaw(int64_t raw) {
        Decimal d;
        d.raw_ = decimalClamp(raw, spec);
        return d;
    }
    int64_t raw() const { return raw_; }
    int64_t* rawPtr() { return &raw_; }
    const int64_t* rawPtr() const { return &raw_; }
    double toDouble() const { return decimalToDouble(raw_, spec); }
    // The integer part (for DECIMAL(6,0) record numbers).
    int64_t toInt() const { return raw_ / decimalScale(P); }
    std::string toString() const { return decimalToString(raw_, spec); }
    Decimal& operator=(double v) {
        raw_ = decimalFromDouble(v, spec);
        return *this;
    }
    friend auto operator<=>(const Decimal&, const Decimal&) = default;

private:
    int64_t raw_ = 0;
};

}  // namespace cdz
