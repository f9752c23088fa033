#include "runtime/expr/ExprAst.h"

#include "runtime/expr/ExprFunctions.h"
#include "runtime/expr/ExprValue.h"

namespace cdz {

std::string_view exprOpText(ExprOp op) {
    switch (op) {
        case ExprOp::Negate:
            return "-";
        case ExprOp::Plus:
            return "+";
        case ExprOp::Not:
            return "NOT";
        case ExprOp::Add:
            return "+";
        case ExprOp::Subtract:
            return "-";
        case ExprOp::Multiply:
            return "*";
        case ExprOp::Divide:
            return "/";
        case ExprOp::Modulo:
            return "%";
        case ExprOp::Concat:
            return "&";
        case ExprOp::Equal:
            return "=";
        case ExprOp::NotEqual:
            return "<>";
        case ExprOp::Less:
            return "<";
        case ExprOp::Greater:
            return ">";
        case ExprOp::LessEqual:
            return "<=";
        case ExprOp::GreaterEqual:
            return ">=";
        case ExprOp::And:
            return "AND";
        case ExprOp::Or:
            return "OR";
        case ExprOp::Xor:
            return "XOR";
    }
    return "?";
}

bool isComparison(ExprOp op) {
    return op == ExprOp::Equal || op == ExprOp::NotEqual || op == ExprOp::Less ||
           op == ExprOp::Greater || op == ExprOp::LessEqual || op == ExprOp::GreaterEqual;
}

namespace {

void describeInto(const ExprNode& node, std::string& out) {
    switch (node.kind) {
        case ExprNode::Kind::Number: {
            char buf[kExprNumberTextMax];
            out.append(buf, formatExprNumber(node.number, buf));
            return;
        }
        case ExprNode::Kind::String:
            out += '\'';
            for (char c : node.text) {
                if (c == '\'') out += '\'';
                out += c;
            }
            out += '\'';
            return;
        case ExprNode::Kind::Name:
            out += node.text;
            return;
        case ExprNode::Kind::Unary:
        case ExprNode::Kind::Binary:
        case ExprNode::Kind::Call:
            out += '(';
            out += node.kind == ExprNode::Kind::Call ? exprFunctionInfo(node.function).name
                                                     : exprOpText(node.op);
            for (const auto& arg : node.args) {
                out += ' ';
                describeInto(*arg, out);
            }
            out += ')';
            return;
    }
}

}  // namespace

std::string describeExpr(const ExprNode& node) {
    std::string out;
    describeInto(node, out);
    return out;
}

}  // namespace cdz
