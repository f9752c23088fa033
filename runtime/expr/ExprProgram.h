#pragma once
// A compiled expression: its nodes in a flat array with every name already resolved to the
// address it reads, evaluated by one switch per node. Text results live in per-node buffers
// that keep their capacity between evaluations, so a filter run over many records allocates
// only while its buffers grow. One program must not be evaluated on two threads at once.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/expr/ExprAst.h"
#include "runtime/expr/ExprOperand.h"
#include "runtime/text/Decimal.h"

namespace cdz {

// The text one evaluation may produce in all, however the expression multiplies it
// ("LEFT('',9999) & LEFT('',9999) & ..."): a result past it is cut short, so memory stays
// bounded for any text. Real filters make a few kilobytes.
constexpr size_t kExprTextBudget = size_t{16} * 1024 * 1024;
// The longest prefix of `text` of at most `limit` bytes that does not end inside a character.
size_t exprCutPoint(std::string_view text, size_t limit);

class ExprProgram {
public:
    enum class Code : uint8_t {
        Number,
        String,
        Text,
        Memo,
        Byte,
        Short,
        Long,
        Int64,
        Real,
        Decimal,
        Getter,
        Unary,
        Binary,
        Call,
    };

    struct Instr {
        Code code = Code::Number;
        ExprOp op = ExprOp::Add;
        ExprFunction function = ExprFunction::Upper;
        uint8_t argc = 0;
        int32_t args[4] = {-1, -1, -1, -1};  // indices of earlier instructions
        const void* address = nullptr;
        DecimalSpec decimal{0, 0};
        double number = 0;
        int32_t getter = -1;
    };

    // Appends an instruction (with the text of a String constant) and returns its index.
    int32_t add(const Instr& instr, std::string constant = {});
    int32_t addGetter(std::function<ExprValue()> getter);
    void setRoot(int32_t index) { root_ = index; }

    // The value of the expression; text views stay valid until the next run().
    ExprOperand run() {
        budget_ = kExprTextBudget;
        return root_ < 0 ? ExprOperand::ofNumber(0) : eval(root_);
    }

private:
    ExprOperand eval(int32_t index);
    ExprOperand binary(const Instr& in, int32_t index);
    // Counts text a node wrote into its buffer against the budget, cutting what exceeds it.
    ExprOperand charge(ExprOperand v, std::string& buffer);

    std::vector<Instr> code_;
    std::vector<std::string> buffers_;  // one per instruction: constants and text results
    std::vector<std::function<ExprValue()>> getters_;
    std::vector<ExprValue> getterValues_;
    int32_t root_ = -1;
    size_t budget_ = 0;
};

}  // namespace cdz
