#include "runtime/expr/ExprLexer.h"

#include <charconv>
#include <cmath>

#include "runtime/text/Text.h"

namespace cdz {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isNameChar(char c) {
    return isNameStart(c) || isDigit(c) || c == ':';
}

bool isKeyword(std::string_view word, std::string_view upper) {
    if (word.size() != upper.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        char c = word[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != upper[i]) return false;
    }
    return true;
}

ExprTokenInfo token(ExprToken kind, int position) {
    return {kind, position, 0, {}};
}

}  // namespace

void ExprLexer::advance() {
    if (offset_ >= text_.size()) return;
    offset_ += cutChars(text_.substr(offset_), 1).size();
    ++position_;
}

ExprTokenInfo ExprLexer::next() {
    while (peek() == ' ' || peek() == '\t' || peek() == '\r' || peek() == '\n') advance();
    const int at = position_;
    if (offset_ >= text_.size()) return token(ExprToken::End, at);
    const char c = peek();
    if (isDigit(c) || (c == '.' && isDigit(peek(1)))) return number(at);
    if (c == '\'') return string(at);
    if (isNameStart(c)) return name(at);

    // Two-character operators first, so that "=<" is never "=" followed by "<".
    struct Pair {
        char a, b;
        ExprToken kind;
    };
    static constexpr Pair kPairs[] = {
        {'<', '>', ExprToken::NotEqual},     {'~', '=', ExprToken::NotEqual},
        {'<', '=', ExprToken::LessEqual},    {'=', '<', ExprToken::LessEqual},
        {'>', '=', ExprToken::GreaterEqual}, {'=', '>', ExprToken::GreaterEqual},
    };
    for (const Pair& p : kPairs) {
        if (c == p.a && peek(1) == p.b) {
            advance();
            advance();
            return token(p.kind, at);
        }
    }
    ExprToken kind = ExprToken::Error;
    switch (c) {
        case '(':
            kind = ExprToken::LParen;
            break;
        case ')':
            kind = ExprToken::RParen;
            break;
        case ',':
            kind = ExprToken::Comma;
            break;
        case '+':
            kind = ExprToken::Plus;
            break;
        case '-':
            kind = ExprToken::Minus;
            break;
        case '*':
            kind = ExprToken::Star;
            break;
        case '/':
            kind = ExprToken::Slash;
            break;
        case '%':
            kind = ExprToken::Percent;
            break;
        case '&':
            kind = ExprToken::Amp;
            break;
        case '=':
            kind = ExprToken::Equal;
            break;
        case '<':
            kind = ExprToken::Less;
            break;
        case '>':
            kind = ExprToken::Greater;
            break;
        case '~':
            kind = ExprToken::Not;
            break;
        default:
            break;
    }
    if (kind == ExprToken::Error) {
        const std::string_view ch = cutChars(text_.substr(offset_), 1);
        return {ExprToken::Error, at, 0, "unexpected character '" + std::string(ch) + "'"};
    }
    advance();
    return token(kind, at);
}

ExprTokenInfo ExprLexer::number(int position) {
    const size_t from = offset_;
    while (isDigit(peek())) advance();
    if (peek() == '.') {
        advance();
        while (isDigit(peek())) advance();
    }
    if (isNameChar(peek()) || peek() == '.')
        return {ExprToken::Error, position, 0, "malformed number"};
    double v = 0;
    const std::string_view digits = text_.substr(from, offset_ - from);
    const auto res =
        std::from_chars(digits.data(), digits.data() + digits.size(), v, std::chars_format::fixed);
    if (res.ec != std::errc{} || !std::isfinite(v))
        return {ExprToken::Error, position, 0, "number out of range"};
    return {ExprToken::Number, position, v, {}};
}

ExprTokenInfo ExprLexer::string(int position) {
    advance();  // the opening quote
    std::string value;
    for (;;) {
        if (offset_ >= text_.size())
            return {ExprToken::Error, position, 0, "string has no closing quote"};
        if (peek() == '\'') {
            if (peek(1) != '\'') break;
            value += '\'';
            advance();
            advance();
            continue;
        }
        const size_t from = offset_;
        advance();
        value.append(text_.substr(from, offset_ - from));
    }
    advance();  // the closing quote
    return {ExprToken::String, position, 0, std::move(value)};
}

ExprTokenInfo ExprLexer::name(int position) {
    const size_t from = offset_;
    while (isNameChar(peek())) advance();
    const std::string_view word = text_.substr(from, offset_ - from);
    if (isKeyword(word, "AND")) return token(ExprToken::And, position);
    if (isKeyword(word, "OR")) return token(ExprToken::Or, position);
    if (isKeyword(word, "XOR")) return token(ExprToken::Xor, position);
    if (isKeyword(word, "NOT")) return token(ExprToken::Not, position);
    return {ExprToken::Name, position, 0, std::string(word)};
}

}  // namespace cdz
