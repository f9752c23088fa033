#pragma once
// Turns a parsed tree into a program, resolving every name through the bindings at once so
// that evaluation never looks a name up. A name that is not bound is an error naming it.
#include <memory>

#include "runtime/expr/Bindings.h"
#include "runtime/expr/ExprAst.h"
#include "runtime/expr/ExprError.h"
#include "runtime/expr/ExprProgram.h"

namespace cdz {

class ExprBinder {
public:
    // nullptr with `error` set when a name is unknown.
    static std::unique_ptr<ExprProgram> bind(const ExprNode& root, const Bindings& bindings,
                                             ExprError& error);

private:
    ExprBinder(const Bindings& bindings, ExprProgram& program)
        : bindings_(bindings), program_(program) {}
    // Index of the node's instruction; -1 after an error.
    int32_t emitNode(const ExprNode& node);
    int32_t emitName(const ExprNode& node);

    const Bindings& bindings_;
    ExprProgram& program_;
    ExprError error_;
};

}  // namespace cdz
