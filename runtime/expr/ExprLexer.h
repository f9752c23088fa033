#pragma once
// Splits an expression text into tokens. Positions are counted in characters from 1, as the
// user sees the text, so that an error can point at the right place in accented text.
#include <cstdint>
#include <string>
#include <string_view>

namespace cdz {

enum class ExprToken : uint8_t {
    End,
    Error,  // text holds the message
    Number,
    String,  // text holds the value, doubled quotes undone
    Name,    // text holds the name as written
    LParen,
    RParen,
    Comma,
    Plus,
    Minus,
    Star,
    Slash,
    Percent,
    Amp,
    Equal,
    NotEqual,  // <> ~=
    Less,
    Greater,
    LessEqual,     // <= =<
    GreaterEqual,  // >= =>
    And,
    Or,
    Xor,
    Not,  // NOT ~
};

struct ExprTokenInfo {
    ExprToken kind = ExprToken::End;
    int position = 0;  // 1-based character position of the first character
    double number = 0;
    std::string text;
};

class ExprLexer {
public:
    explicit ExprLexer(std::string_view text) : text_(text) {}
    // The next token; End (at the position after the text) once the text is used up. After an
    // Error token the lexer stays where it was.
    ExprTokenInfo next();

private:
    char peek(size_t ahead = 0) const {
        return offset_ + ahead < text_.size() ? text_[offset_ + ahead] : '\0';
    }
    // Moves past one character (a whole UTF-8 sequence) and counts it.
    void advance();
    ExprTokenInfo number(int position);
    ExprTokenInfo string(int position);
    ExprTokenInfo name(int position);

    std::string_view text_;
    size_t offset_ = 0;
    int position_ = 1;
};

}  // namespace cdz
