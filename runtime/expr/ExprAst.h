#pragma once
// The parsed form of an expression text: a tree that the binder turns into an evaluable
// program and that other code (an SQL translator pushing filters down) may walk read-only.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cdz {

enum class ExprOp : uint8_t {
    // unary
    Negate,  // -x
    Plus,    // +x (the numeric value of x)
    Not,     // NOT x, ~x
    // binary arithmetic and text
    Add,
    Subtract,
    Multiply,
    Divide,  // x / 0 gives 0
    Modulo,  // x % 0 gives 0
    Concat,  // &
    // comparisons (=< and => are read as <= and >=, ~= as <>)
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    // logic
    And,
    Or,
    Xor,
};

enum class ExprFunction : uint8_t {
    Upper,
    Lower,
    Sub,
    Instring,
    Abs,
    Clip,
    Len,
    Int,
    Round,
    Today,
    Year,
    Month,
    Day,
    Date,
    Left,
    Numeric,
};

struct ExprNode {
    enum class Kind : uint8_t {
        Number,  // number
        String,  // text: the literal with doubled quotes undone
        Name,    // text: the name as written
        Unary,   // op, args[0]
        Binary,  // op, args[0] and args[1]
        Call,    // function, args
    };

    Kind kind = Kind::Number;
    ExprOp op = ExprOp::Add;
    ExprFunction function = ExprFunction::Upper;
    int position = 0;  // 1-based character position of the token that made the node
    double number = 0;
    std::string text;
    std::vector<std::unique_ptr<ExprNode>> args;
};

// The operator as the language writes it ("=", "<>", "AND", "-" ...).
std::string_view exprOpText(ExprOp op);
bool isComparison(ExprOp op);
// A compact bracketed form of the tree, for diagnostics and tests:
// "MUS:A = 1 AND NOT B" -> "(AND (= MUS:A 1) (NOT B))", strings quoted, calls as "(UPPER x)".
std::string describeExpr(const ExprNode& node);

}  // namespace cdz
