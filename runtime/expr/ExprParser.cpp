#include "runtime/expr/ExprParser.h"

#include <algorithm>

#include "runtime/expr/ExprFunctions.h"

namespace cdz {

namespace {

std::string describeToken(const ExprTokenInfo& t) {
    switch (t.kind) {
        case ExprToken::End:
            return "end of text";
        case ExprToken::Error:
            return t.text;
        case ExprToken::Number:
            return "number";
        case ExprToken::String:
            return "string";
        case ExprToken::Name:
            return "'" + t.text + "'";
        case ExprToken::LParen:
            return "'('";
        case ExprToken::RParen:
            return "')'";
        case ExprToken::Comma:
            return "','";
        case ExprToken::Plus:
            return "'+'";
        case ExprToken::Minus:
            return "'-'";
        case ExprToken::Star:
            return "'*'";
        case ExprToken::Slash:
            return "'/'";
        case ExprToken::Percent:
            return "'%'";
        case ExprToken::Amp:
            return "'&'";
        case ExprToken::Equal:
            return "'='";
        case ExprToken::NotEqual:
            return "'<>'";
        case ExprToken::Less:
            return "'<'";
        case ExprToken::Greater:
            return "'>'";
        case ExprToken::LessEqual:
            return "'<='";
        case ExprToken::GreaterEqual:
            return "'>='";
        case ExprToken::And:
            return "AND";
        case ExprToken::Or:
            return "OR";
        case ExprToken::Xor:
            return "XOR";
        case ExprToken::Not:
            return "NOT";
    }
    return "token";
}

bool comparisonOp(ExprToken t, ExprOp& op) {
    switch (t) {
        case ExprToken::Equal:
            op = ExprOp::Equal;
            return true;
        case ExprToken::NotEqual:
            op = ExprOp::NotEqual;
            return true;
        case ExprToken::Less:
            op = ExprOp::Less;
            return true;
        case ExprToken::Greater:
            op = ExprOp::Greater;
            return true;
        case ExprToken::LessEqual:
            op = ExprOp::LessEqual;
            return true;
        case ExprToken::GreaterEqual:
            op = ExprOp::GreaterEqual;
            return true;
        default:
            return false;
    }
}

std::string argumentCountText(const ExprFunctionInfo& f) {
    std::string s(f.name);
    if (f.maxArgs == 0) return s + " takes no arguments";
    if (f.minArgs == f.maxArgs)
        return s + " takes " + std::to_string(f.minArgs) +
               (f.minArgs == 1 ? " argument" : " arguments");
    return s + " takes " + std::to_string(f.minArgs) + " to " + std::to_string(f.maxArgs) +
           " arguments";
}

}  // namespace

ExprParseResult ExprParser::parse(std::string_view text) {
    ExprParseResult result;
    if (text.size() > kExprMaxText) {
        result.error = {1, "expression is longer than " + std::to_string(kExprMaxText) + " bytes"};
        return result;
    }
    ExprParser p(text);
    p.shift();
    if (p.token_.kind == ExprToken::End) {
        result.error = {1, "expression is empty"};
        return result;
    }
    Tree tree = p.parseOr();
    if (tree.node && p.token_.kind != ExprToken::End) {
        if (p.token_.kind == ExprToken::RParen)
            p.fail(p.token_.position, "')' has no matching '('");
        else
            p.failHere("an operator");
    }
    if (p.error_.failed()) {
        result.error = std::move(p.error_);
        return result;
    }
    result.root = std::move(tree.node);
    return result;
}

bool ExprParser::fail(int position, std::string message) {
    if (!error_.failed()) error_ = {position, std::move(message)};
    return false;
}

// Reports the current token as not being what was expected there.
bool ExprParser::failHere(std::string_view what) {
    if (token_.kind == ExprToken::Error) return fail(token_.position, token_.text);
    return fail(token_.position,
                "expected " + std::string(what) + " but found " + describeToken(token_));
}

ExprParser::Tree ExprParser::unary(ExprOp op, int position, Tree operand) {
    if (!operand.node) return {};
    const int height = operand.height + 1;
    if (height > kExprMaxDepth) {
        fail(position, "expression is nested too deeply");
        return {};
    }
    auto node = std::make_unique<ExprNode>();
    node->kind = ExprNode::Kind::Unary;
    node->op = op;
    node->position = position;
    node->args.push_back(std::move(operand.node));
    return {std::move(node), height};
}

ExprParser::Tree ExprParser::binary(ExprOp op, int position, Tree left, Tree right) {
    if (!left.node || !right.node) return {};
    const int height = std::max(left.height, right.height) + 1;
    if (height > kExprMaxDepth) {
        fail(position, "expression is nested too deeply");
        return {};
    }
    auto node = std::make_unique<ExprNode>();
    node->kind = ExprNode::Kind::Binary;
    node->op = op;
    node->position = position;
    node->args.push_back(std::move(left.node));
    node->args.push_back(std::move(right.node));
    return {std::move(node), height};
}

// Every way down that can repeat without making a node (brackets, NOT NOT, - -) passes here,
// so the recursion itself is limited, not only the height of the tree.
ExprParser::Tree ExprParser::parseOr() {
    struct Depth {
        int& d;
        explicit Depth(int& depth) : d(++depth) {}
        ~Depth() { --d; }
    } guard(depth_);
    if (depth_ > kExprMaxDepth) {
        fail(token_.position, "expression is nested too deeply");
        return {};
    }
    Tree left = parseAnd();
    while (left.node && (token_.kind == ExprToken::Or || token_.kind == ExprToken::Xor)) {
        const ExprOp op = token_.kind == ExprToken::Or ? ExprOp::Or : ExprOp::Xor;
        const int at = token_.position;
        shift();
        left = binary(op, at, std::move(left), parseAnd());
    }
    return left;
}

ExprParser::Tree ExprParser::parseAnd() {
    Tree left = parseNot();
    while (left.node && token_.kind == ExprToken::And) {
        const int at = token_.position;
        shift();
        left = binary(ExprOp::And, at, std::move(left), parseNot());
    }
    return left;
}

ExprParser::Tree ExprParser::parseNot() {
    if (token_.kind != ExprToken::Not) return parseComparison();
    const int at = token_.position;
    if (++depth_ > kExprMaxDepth) {
        --depth_;
        fail(at, "expression is nested too deeply");
        return {};
    }
    shift();
    Tree operand = parseNot();
    --depth_;
    return unary(ExprOp::Not, at, std::move(operand));
}

ExprParser::Tree ExprParser::parseComparison() {
    Tree left = parseConcat();
    ExprOp op{};
    while (left.node && comparisonOp(token_.kind, op)) {
        const int at = token_.position;
        shift();
        left = binary(op, at, std::move(left), parseConcat());
    }
    return left;
}

ExprParser::Tree ExprParser::parseConcat() {
    Tree left = parseAdditive();
    while (left.node && token_.kind == ExprToken::Amp) {
        const int at = token_.position;
        shift();
        left = binary(ExprOp::Concat, at, std::move(left), parseAdditive());
    }
    return left;
}

ExprParser::Tree ExprParser::parseAdditive() {
    Tree left = parseMultiplicative();
    while (left.node && (token_.kind == ExprToken::Plus || token_.kind == ExprToken::Minus)) {
        const ExprOp op = token_.kind == ExprToken::Plus ? ExprOp::Add : ExprOp::Subtract;
        const int at = token_.position;
        shift();
        left = binary(op, at, std::move(left), parseMultiplicative());
    }
    return left;
}

ExprParser::Tree ExprParser::parseMultiplicative() {
    Tree left = parseUnary();
    for (;;) {
        ExprOp op{};
        if (token_.kind == ExprToken::Star) {
            op = ExprOp::Multiply;
        } else if (token_.kind == ExprToken::Slash) {
            op = ExprOp::Divide;
        } else if (token_.kind == ExprToken::Percent) {
            op = ExprOp::Modulo;
        } else {
            return left;
        }
        if (!left.node) return left;
        const int at = token_.position;
        shift();
        left = binary(op, at, std::move(left), parseUnary());
    }
}

ExprParser::Tree ExprParser::parseUnary() {
    if (token_.kind != ExprToken::Minus && token_.kind != ExprToken::Plus) return parsePrimary();
    const ExprOp op = token_.kind == ExprToken::Minus ? ExprOp::Negate : ExprOp::Plus;
    const int at = token_.position;
    if (++depth_ > kExprMaxDepth) {
        --depth_;
        fail(at, "expression is nested too deeply");
        return {};
    }
    shift();
    Tree operand = parseUnary();
    --depth_;
    return unary(op, at, std::move(operand));
}

ExprParser::Tree ExprParser::parsePrimary() {
    ExprTokenInfo t = std::move(token_);
    auto leaf = [&t](ExprNode::Kind kind) {
        auto node = std::make_unique<ExprNode>();
        node->kind = kind;
        node->position = t.position;
        node->number = t.number;
        node->text = std::move(t.text);
        return Tree{std::move(node), 1};
    };
    switch (t.kind) {
        case ExprToken::Number:
            shift();
            return leaf(ExprNode::Kind::Number);
        case ExprToken::String:
            shift();
            return leaf(ExprNode::Kind::String);
        case ExprToken::Name:
            shift();
            if (token_.kind == ExprToken::LParen) return parseCall(t);
            return leaf(ExprNode::Kind::Name);
        case ExprToken::LParen: {
            shift();
            Tree inner = parseOr();
            if (!inner.node) return {};
            if (token_.kind != ExprToken::RParen) {
                if (token_.kind == ExprToken::End)
                    fail(t.position, "'(' has no matching ')'");
                else
                    failHere("')'");
                return {};
            }
            shift();
            return inner;
        }
        default:
            token_ = std::move(t);
            failHere("a value");
            return {};
    }
}

ExprParser::Tree ExprParser::parseCall(const ExprTokenInfo& name) {
    const ExprFunctionInfo* info = findExprFunction(name.text);
    if (!info) {
        fail(name.position, "unknown function '" + name.text + "'");
        return {};
    }
    shift();  // the '('
    auto node = std::make_unique<ExprNode>();
    node->kind = ExprNode::Kind::Call;
    node->function = info->function;
    node->position = name.position;
    node->text = std::string(info->name);
    int height = 1;
    if (token_.kind != ExprToken::RParen) {
        for (;;) {
            Tree arg = parseOr();
            if (!arg.node) return {};
            height = std::max(height, arg.height + 1);
            node->args.push_back(std::move(arg.node));
            if (token_.kind == ExprToken::Comma) {
                shift();
                continue;
            }
            if (token_.kind == ExprToken::RParen) break;
            failHere("',' or ')'");
            return {};
        }
    }
    shift();  // the ')'
    const int argc = static_cast<int>(node->args.size());
    if (argc < info->minArgs || argc > info->maxArgs) {
        fail(name.position, argumentCountText(*info));
        return {};
    }
    if (height > kExprMaxDepth) {
        fail(name.position, "expression is nested too deeply");
        return {};
    }
    return {std::move(node), height};
}

}  // namespace cdz
