#include "runtime/expr/ExprProgram.h"

#include <algorithm>
#include <cmath>

#include "runtime/expr/ExprFunctions.h"

namespace cdz {

namespace {

// Kept out of eval() so that the conversion scratch is not on the stack of every level of a
// deep expression.
[[gnu::noinline]] ExprOperand concat(const ExprOperand& l, const ExprOperand& r,
                                     std::string& buffer) {
    char ls[kExprNumberTextMax];
    char rs[kExprNumberTextMax];
    const std::string_view a = l.toText(ls);
    const std::string_view b = r.toText(rs);
    buffer.clear();
    buffer.reserve(a.size() + b.size());
    buffer.append(a).append(b);
    return ExprOperand::ofText(buffer);
}

// Infinities and NaN never leave arithmetic: an overflow reads as 0, as a division by zero.
inline ExprOperand finite(double v) {
    return ExprOperand::ofNumber(std::isfinite(v) ? v : 0);
}

inline int compare(const ExprOperand& l, const ExprOperand& r) {
    if (l.isString && r.isString) return compareClipped(l.text, r.text);
    const double a = l.toNumber();
    const double b = r.toNumber();
    if (a == b) return 0;
    // Fractions that agree to 15 significant digits are equal, as their decimal texts are:
    // 0.1 + 0.2 = 0.3. Whole numbers compare exactly (record numbers may be large).
    if (a != std::trunc(a) || b != std::trunc(b)) {
        if (std::fabs(a - b) <= 1e-15 * std::max(std::fabs(a), std::fabs(b))) return 0;
    }
    return a < b ? -1 : 1;
}

}  // namespace

size_t exprCutPoint(std::string_view text, size_t limit) {
    if (limit >= text.size()) return text.size();
    // Back off continuation bytes: the cut then falls before the character they belong to.
    while (limit > 0 && (static_cast<unsigned char>(text[limit]) & 0xC0) == 0x80) --limit;
    return limit;
}

int32_t ExprProgram::add(const Instr& instr, std::string constant) {
    code_.push_back(instr);
    buffers_.push_back(std::move(constant));
    return static_cast<int32_t>(code_.size() - 1);
}

int32_t ExprProgram::addGetter(std::function<ExprValue()> getter) {
    getters_.push_back(std::move(getter));
    getterValues_.emplace_back();
    return static_cast<int32_t>(getters_.size() - 1);
}

ExprOperand ExprProgram::eval(int32_t index) {
    const Instr& in = code_[static_cast<size_t>(index)];
    switch (in.code) {
        case Code::Number:
            return ExprOperand::ofNumber(in.number);
        case Code::String:
            return ExprOperand::ofText(buffers_[static_cast<size_t>(index)]);
        case Code::Text:
            return ExprOperand::ofText(static_cast<const TextField*>(in.address)->view());
        case Code::Memo:
            return ExprOperand::ofText(*static_cast<const std::string*>(in.address));
        case Code::Byte:
            return ExprOperand::ofNumber(*static_cast<const uint8_t*>(in.address));
        case Code::Short:
            return ExprOperand::ofNumber(*static_cast<const int16_t*>(in.address));
        case Code::Long:
            return ExprOperand::ofNumber(*static_cast<const int32_t*>(in.address));
        case Code::Int64:
            return ExprOperand::ofNumber(
                static_cast<double>(*static_cast<const int64_t*>(in.address)));
        case Code::Real:
            return finite(*static_cast<const double*>(in.address));
        case Code::Decimal:
            return ExprOperand::ofNumber(
                decimalToDouble(*static_cast<const int64_t*>(in.address), in.decimal));
        case Code::Getter: {
            const auto g = static_cast<size_t>(in.getter);
            ExprValue& v = getterValues_[g];
            v = getters_[g]();
            if (v.isString()) return ExprOperand::ofText(v.text);
            return finite(v.number);
        }
        case Code::Unary: {
            const ExprOperand v = eval(in.args[0]);
            if (in.op == ExprOp::Not) return ExprOperand::ofNumber(v.isTrue() ? 0 : 1);
            return ExprOperand::ofNumber(in.op == ExprOp::Negate ? -v.toNumber() : v.toNumber());
        }
        case Code::Binary:
            return binary(in, index);
        case Code::Call: {
            ExprOperand args[4];
            for (int k = 0; k < in.argc; ++k) args[k] = eval(in.args[k]);
            std::string& buffer = buffers_[static_cast<size_t>(index)];
            return charge(callExprFunction(in.function, args, in.argc, buffer), buffer);
        }
    }
    return ExprOperand::ofNumber(0);
}

ExprOperand ExprProgram::charge(ExprOperand v, std::string& buffer) {
    // Views of an argument or of a bound field cost nothing; only text made here counts.
    if (!v.isString || v.text.empty() || v.text.data() != buffer.data()) return v;
    if (v.text.size() > budget_) {
        buffer.resize(exprCutPoint(buffer, budget_));
        v.text = buffer;
    }
    budget_ -= v.text.size();
    return v;
}

ExprOperand ExprProgram::binary(const Instr& in, int32_t index) {
    // AND and OR look at their right side only when it can change the answer.
    if (in.op == ExprOp::And || in.op == ExprOp::Or) {
        const bool left = eval(in.args[0]).isTrue();
        if (left != (in.op == ExprOp::And)) return ExprOperand::ofNumber(left ? 1 : 0);
        return ExprOperand::ofNumber(eval(in.args[1]).isTrue() ? 1 : 0);
    }
    const ExprOperand l = eval(in.args[0]);
    const ExprOperand r = eval(in.args[1]);
    switch (in.op) {
        case ExprOp::Xor:
            return ExprOperand::ofNumber(l.isTrue() != r.isTrue() ? 1 : 0);
        case ExprOp::Add:
            return finite(l.toNumber() + r.toNumber());
        case ExprOp::Subtract:
            return finite(l.toNumber() - r.toNumber());
        case ExprOp::Multiply:
            return finite(l.toNumber() * r.toNumber());
        case ExprOp::Divide: {
            const double d = r.toNumber();
            return finite(d == 0 ? 0 : l.toNumber() / d);
        }
        case ExprOp::Modulo: {
            const double d = r.toNumber();
            return finite(d == 0 ? 0 : std::fmod(l.toNumber(), d));
        }
        case ExprOp::Concat: {
            std::string& buffer = buffers_[static_cast<size_t>(index)];
            return charge(concat(l, r, buffer), buffer);
        }
        case ExprOp::Equal:
            return ExprOperand::ofNumber(compare(l, r) == 0 ? 1 : 0);
        case ExprOp::NotEqual:
            return ExprOperand::ofNumber(compare(l, r) != 0 ? 1 : 0);
        case ExprOp::Less:
            return ExprOperand::ofNumber(compare(l, r) < 0 ? 1 : 0);
        case ExprOp::Greater:
            return ExprOperand::ofNumber(compare(l, r) > 0 ? 1 : 0);
        case ExprOp::LessEqual:
            return ExprOperand::ofNumber(compare(l, r) <= 0 ? 1 : 0);
        case ExprOp::GreaterEqual:
            return ExprOperand::ofNumber(compare(l, r) >= 0 ? 1 : 0);
        default:
            return ExprOperand::ofNumber(0);
    }
}

}  // namespace cdz
