#pragma once
// A value of the expression language: a number or a string. This is the owning form handed to
// callers and returned by getter bindings; evaluation itself works on views (ExprProgram).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cdz {

struct ExprValue {
    enum class Kind : uint8_t { Number, String };

    Kind kind = Kind::Number;
    double number = 0;
    std::string text;

    static ExprValue ofNumber(double v) { return {Kind::Number, v, {}}; }
    static ExprValue ofString(std::string s) { return {Kind::String, 0, std::move(s)}; }

    bool isString() const { return kind == Kind::String; }
    // A string's numeric value (0 when it is not a number); a number as is.
    double toNumber() const;
    // A number's text ("12", "0.5", "-3.25"); a string as is.
    std::string toText() const;
    // The truth of a filter: a number other than zero, a string that is not blank.
    bool isTrue() const;
};

// Numbers as text, shared by the evaluator and ExprValue.
// Room for the longest text formatExprNumber writes (the largest double in full).
constexpr size_t kExprNumberTextMax = 400;
// Plain decimal text with at most 15 significant digits and no exponent, so that it reads back
// through parseExprNumber: 3 -> "3", 0.1 + 0.2 -> "0.3", -2.5 -> "-2.5". Returns the length.
size_t formatExprNumber(double v, char* out);
// The numeric value of a text: optional blanks around an optional sign, digits with an optional
// point ("12", " -3.5 ", ".5", "7."). nullopt for anything else or a value out of range.
std::optional<double> parseExprNumber(std::string_view text);

// Saturating conversions: NaN gives 0, values beyond the range give its nearest end.
int64_t exprToInt64(double v);
int exprToInt(double v);

}  // namespace cdz
