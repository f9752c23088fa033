#include "runtime/expr/ExprBinder.h"

namespace cdz {

std::unique_ptr<ExprProgram> ExprBinder::bind(const ExprNode& root, const Bindings& bindings,
                                              ExprError& error) {
    auto program = std::make_unique<ExprProgram>();
    ExprBinder binder(bindings, *program);
    const int32_t top = binder.emitNode(root);
    if (top < 0) {
        error = std::move(binder.error_);
        return nullptr;
    }
    program->setRoot(top);
    return program;
}

int32_t ExprBinder::emitNode(const ExprNode& node) {
    using Code = ExprProgram::Code;
    ExprProgram::Instr in;
    switch (node.kind) {
        case ExprNode::Kind::Number:
            in.code = Code::Number;
            in.number = node.number;
            return program_.add(in);
        case ExprNode::Kind::String:
            in.code = Code::String;
            return program_.add(in, node.text);
        case ExprNode::Kind::Name:
            return emitName(node);
        case ExprNode::Kind::Unary:
        case ExprNode::Kind::Binary:
        case ExprNode::Kind::Call:
            break;
    }
    in.code = node.kind == ExprNode::Kind::Unary    ? Code::Unary
              : node.kind == ExprNode::Kind::Binary ? Code::Binary
                                                    : Code::Call;
    in.op = node.op;
    in.function = node.function;
    // The parser allows at most four arguments (INSTRING's); anything else is a broken tree.
    if (node.args.size() > 4) {
        error_ = {node.position, "too many arguments"};
        return -1;
    }
    in.argc = static_cast<uint8_t>(node.args.size());
    for (size_t k = 0; k < node.args.size(); ++k) {
        const int32_t arg = emitNode(*node.args[k]);
        if (arg < 0) return -1;
        in.args[k] = arg;
    }
    return program_.add(in);
}

int32_t ExprBinder::emitName(const ExprNode& node) {
    using Code = ExprProgram::Code;
    const ExprBinding* b = bindings_.find(node.text);
    if (!b) {
        error_ = {node.position, "unknown name '" + node.text + "'"};
        return -1;
    }
    ExprProgram::Instr in;
    in.address = b->address;
    in.decimal = b->decimal;
    switch (b->kind) {
        case ExprBinding::Kind::Text:
            in.code = Code::Text;
            break;
        case ExprBinding::Kind::Memo:
            in.code = Code::Memo;
            break;
        case ExprBinding::Kind::Byte:
            in.code = Code::Byte;
            break;
        case ExprBinding::Kind::Short:
            in.code = Code::Short;
            break;
        case ExprBinding::Kind::Long:
            in.code = Code::Long;
            break;
        case ExprBinding::Kind::Int64:
            in.code = Code::Int64;
            break;
        case ExprBinding::Kind::Real:
            in.code = Code::Real;
            break;
        case ExprBinding::Kind::Decimal:
            in.code = Code::Decimal;
            break;
        case ExprBinding::Kind::Getter:
            in.code = Code::Getter;
            in.getter = program_.addGetter(b->getter);
            break;
    }
    return program_.add(in);
}

}  // namespace cdz
