#pragma once
// A decimal number held as its digits, so that pictures round and group exactly what was stored
// or typed: 2.675 rounds to 2.68, and a 30-digit value keeps every digit.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cdz {

class NumberText {
public:
    // The shortest text that reads back as v; nullopt for NaN and infinities.
    static std::optional<NumberText> fromDouble(double v);
    // Reads a number as a user or a picture shows it: blanks, grouping commas, currency signs
    // and asterisk fill are ignored; the sign may lead, trail ("12-") or be parentheses
    // ("(12)"). Anything else that is not [digits][.digits] gives nullopt.
    static std::optional<NumberText> read(std::string_view shown);

    // Rounds to `places` decimal places, half away from zero.
    void roundTo(int places);
    bool isZero() const;
    bool negative() const { return negative_ && !isZero(); }
    // Integer digits without leading zeros ("0" for none) and the digits after the point.
    const std::string& intDigits() const { return int_; }
    const std::string& fracDigits() const { return frac_; }
    // Canonical plain text: "-1234.5", "0", "0.25" (no grouping, no trailing zeros).
    std::string plain() const;
    // The integer part, truncated toward zero and saturated to the int64 range.
    int64_t toInt64() const;

private:
    bool negative_ = false;
    std::string int_ = "0";
    std::string frac_;
};

}  // namespace cdz
