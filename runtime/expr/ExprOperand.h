#pragma once
// A value during evaluation: a number, or a view of text that lives in a bound field, in a
// constant or in the result buffer of the node that made it. Views stay valid until the same
// program is evaluated again, which is what lets a filter run without allocating per record.
#include <string_view>

#include "runtime/expr/ExprValue.h"
#include "runtime/text/Text.h"

namespace cdz {

struct ExprOperand {
    bool isString = false;
    double number = 0;
    std::string_view text;

    static ExprOperand ofNumber(double v) { return {false, v, {}}; }
    static ExprOperand ofText(std::string_view s) { return {true, 0, s}; }

    double toNumber() const { return isString ? parseExprNumber(text).value_or(0.0) : number; }
    // The text form; a number is written into `scratch` (kExprNumberTextMax bytes).
    std::string_view toText(char* scratch) const {
        return isString ? text : std::string_view(scratch, formatExprNumber(number, scratch));
    }
    bool isTrue() const { return isString ? !clip(text).empty() : number != 0; }
};

}  // namespace cdz
