#pragma once
// An expression text compiled once against a set of bindings and evaluated as often as needed:
// filters, range limits, the query wizard's texts, lookups. A text that does not compile gives
// an error with its character position; nothing here throws, and evaluation never fails.
//
// Values are numbers or strings. Two strings compare as text, ignoring trailing blanks,
// case-sensitive, in code-point order; when either side is a number both compare as numbers
// (a string that is not a number counts as 0); numbers that are not both whole are equal when
// they agree to 15 significant digits (0.1 + 0.2 = 0.3). A division or remainder by zero
// gives 0, as does an arithmetic overflow. As a filter, a value is true when it is a number
// other than 0 or a string that is not blank. Functions: see ExprFunctions.h.
//
// An expression keeps the buffers its evaluation reuses: evaluate one expression on one thread
// at a time.
#include <memory>
#include <string>
#include <string_view>

#include "runtime/expr/Bindings.h"
#include "runtime/expr/ExprAst.h"
#include "runtime/expr/ExprError.h"
#include "runtime/expr/ExprValue.h"

namespace cdz {

class ExprProgram;

class Expression {
public:
    Expression();
    ~Expression();
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;
    Expression(const Expression&) = delete;
    Expression& operator=(const Expression&) = delete;

    // Compiles `text`; on failure the expression is empty (evaluates to 0) and error() says
    // where and why. Names are resolved now; the values they point at are read at evaluation.
    bool compile(std::string_view text, const Bindings& bindings);
    // Compiles and evaluates once: what the query wizard does to check a text the user typed.
    static ExprError check(std::string_view text, const Bindings& bindings);

    bool ok() const { return program_ != nullptr; }
    const ExprError& error() const { return error_; }
    const std::string& text() const { return text_; }
    // The parsed tree, for code that translates filters; null unless ok().
    const ExprNode* tree() const { return tree_.get(); }

    // The value now. Not const: evaluation reuses buffers kept in the expression.
    ExprValue evaluate();
    // The filter test: true when the value is a number other than 0 or a non-blank string.
    // Allocates nothing once warmed up.
    bool test();

private:
    std::string text_;
    std::unique_ptr<ExprNode> tree_;
    std::unique_ptr<ExprProgram> program_;
    ExprError error_;
};

}  // namespace cdz
