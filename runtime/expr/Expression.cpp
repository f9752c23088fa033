#include "runtime/expr/Expression.h"

#include "runtime/expr/ExprBinder.h"
#include "runtime/expr/ExprParser.h"
#include "runtime/expr/ExprProgram.h"

namespace cdz {

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

bool Expression::compile(std::string_view text, const Bindings& bindings) {
    text_.assign(text);
    tree_.reset();
    program_.reset();
    error_ = {};
    ExprParseResult parsed = ExprParser::parse(text);
    if (parsed.error.failed()) {
        error_ = std::move(parsed.error);
        return false;
    }
    program_ = ExprBinder::bind(*parsed.root, bindings, error_);
    if (!program_) return false;
    tree_ = std::move(parsed.root);
    return true;
}

ExprError Expression::check(std::string_view text, const Bindings& bindings) {
    Expression e;
    if (e.compile(text, bindings)) e.test();
    return e.error_;
}

ExprValue Expression::evaluate() {
    if (!program_) return ExprValue::ofNumber(0);
    const ExprOperand v = program_->run();
    return v.isString ? ExprValue::ofString(std::string(v.text)) : ExprValue::ofNumber(v.number);
}

bool Expression::test() {
    return program_ && program_->run().isTrue();
}

}  // namespace cdz
