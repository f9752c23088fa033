#pragma once
// Reads an expression text into a tree (ExprAst.h). Precedence, loosest first:
//   OR XOR;  AND;  NOT ~;  = <> ~= < > <= >= =< =>;  &;  + -;  * / %;  unary - +;
//   numbers, 'strings', names, FUNCTION(args), ( ... ).
// Keywords and function names ignore case. A text longer than kExprMaxText bytes or nested
// deeper than kExprMaxDepth is refused, so that nothing later (binding, evaluation, freeing
// the tree) can run out of stack.
#include <memory>
#include <string_view>

#include "runtime/expr/ExprAst.h"
#include "runtime/expr/ExprError.h"
#include "runtime/expr/ExprLexer.h"

namespace cdz {

constexpr size_t kExprMaxText = size_t{64} * 1024;
constexpr int kExprMaxDepth = 256;

struct ExprParseResult {
    std::unique_ptr<ExprNode> root;  // null when error.failed()
    ExprError error;
};

class ExprParser {
public:
    static ExprParseResult parse(std::string_view text);

private:
    // A subtree with its height, so that long chains ("a+b+c+...") count as deep as they are.
    struct Tree {
        std::unique_ptr<ExprNode> node;
        int height = 0;
    };

    explicit ExprParser(std::string_view text) : lexer_(text) {}
    void shift() { token_ = lexer_.next(); }
    bool fail(int position, std::string message);
    bool failHere(std::string_view what);
    Tree unary(ExprOp op, int position, Tree operand);
    Tree binary(ExprOp op, int position, Tree left, Tree right);

    Tree parseOr();
    Tree parseAnd();
    Tree parseNot();
    Tree parseComparison();
    Tree parseConcat();
    Tree parseAdditive();
    Tree parseMultiplicative();
    Tree parseUnary();
    Tree parsePrimary();
    Tree parseCall(const ExprTokenInfo& name);

    ExprLexer lexer_;
    ExprTokenInfo token_;
    ExprError error_;
    int depth_ = 0;
};

}  // namespace cdz
