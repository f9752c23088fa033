#pragma once
// The functions of the expression language: their names and argument counts for the parser,
// and their evaluation on operands.
//
//   UPPER(s) LOWER(s)          full Unicode case mapping
//   SUB(s,start[,len])         len characters from start (1-based; a negative start counts
//                              from the end, -1 being the last character); the part outside
//                              the text is simply absent
//   INSTRING(sub,s[,step[,start]])  character position of sub in s, trying start, start+step,
//                              ... (a negative step walks backwards); 0 when absent or step 0
//   ABS(x) INT(x)              absolute value; integer part (toward zero)
//   ROUND(x[,step])            x to the nearest multiple of step (default 1), halves away
//                              from zero
//   CLIP(s) LEN(s)             s without trailing blanks; its length in characters
//   LEFT(s[,n])                s left-justified: leading blanks moved to the end; with n, cut
//                              or blank-padded to n characters (at most kExprMaxPad)
//   NUMERIC(s)                 1 when s reads as a number, else 0
//   TODAY() YEAR(d) MONTH(d) DAY(d) DATE(m,d,y)   dates as day numbers; 0 for no date
#include <string>
#include <string_view>

#include "runtime/expr/ExprAst.h"
#include "runtime/expr/ExprOperand.h"

namespace cdz {

struct ExprFunctionInfo {
    std::string_view name;
    ExprFunction function;
    int minArgs;
    int maxArgs;
};

// Case-insensitive; nullptr for a name that is not a function.
const ExprFunctionInfo* findExprFunction(std::string_view name);
const ExprFunctionInfo& exprFunctionInfo(ExprFunction function);

// Padding LEFT will add at most, so that no text makes the evaluator allocate without bound.
constexpr int kExprMaxPad = 65535;

// Evaluates a call on already evaluated arguments (argc within the function's counts). A text
// result may view an argument's text or `buffer`, which belongs to the calling node.
ExprOperand callExprFunction(ExprFunction function, const ExprOperand* args, int argc,
                             std::string& buffer);

}  // namespace cdz
