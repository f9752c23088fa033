#include "app/engine/columns/ListFormat.h"

#include <algorithm>
#include <string>
#include <utility>

namespace cdz {

// Reads a format column by column. A column ends where the next width begins (a digit outside
// any delimiters) or at the end of the text.
class ListFormatParser {
public:
    explicit ListFormatParser(std::string_view text) : text_(text) {}

    ListFormatParse run() {
        if (text_.empty()) return fail("the format has no columns");
        std::vector<ListColumn> columns;
        while (pos_ < text_.size()) {
            auto column = readColumn(static_cast<int>(columns.size()) + 1);
            if (!column) return ListFormatParse{std::nullopt, error_};
            columns.push_back(std::move(*column));
        }
        return ListFormatParse{ListFormat(std::move(columns)), {}};
    }

private:
    using Part = ListColumn::Part;
    using Kind = ListColumn::Kind;

    std::optional<ListColumn> readColumn(int number) {
        column_ = number;
        const auto width = readNumber(false);
        if (!width) return failColumn("a width (digits) was expected");
        const auto justify = atEnd() ? std::nullopt : justifyFromLetter(text_[pos_]);
        if (!justify) return failColumn("a justification (L, R, C or D) was expected");
        ++pos_;
        ListColumn column(*width, *justify);
        if (peek('(')) {
            const auto offset = readBracketedNumber("the offset");
            if (!offset) return std::nullopt;
            column.setOffset(*offset);
        }
        while (!atEnd() && !isDigit(text_[pos_])) {
            if (!readPart(column)) return std::nullopt;
        }
        return column;
    }

    bool readPart(ListColumn& column) {
        const char c = text_[pos_];
        if (c == '~') return readHeader(column);
        if (c == '@') {
            if (column.find(Kind::Picture)) return failPart("a second picture");
            const auto picture = readDelimited('@', "picture");
            if (!picture) return false;
            if (picture->empty()) return failPart("an empty picture \"@@\"");
            column.parts_.push_back(Part{Kind::Picture, 0, *picture, {}, false});
            return true;
        }
        if (c == '#') {
            if (column.find(Kind::FieldNumber)) return failPart("a second field number");
            const std::size_t start = pos_;
            const auto digits = readDelimited('#', "field number");
            if (!digits) return false;
            std::size_t at = 0;
            const auto field = numberIn(*digits, at, false);
            if (!field || at != digits->size()) {
                pos_ = start;
                return failPart("the field number between \"#\" must be digits");
            }
            column.parts_.push_back(Part{Kind::FieldNumber, 0, {}, field, false});
            return true;
        }
        if (c == '|' || c == '_' || (c >= 'A' && c <= 'Z')) {
            if (column.hasAttribute(c)) return failPart(std::string("a second \"") + c + "\"");
            ++pos_;
            Part part{Kind::Attribute, c, {}, {}, false};
            if (c != '|' && c != '_' && peek('(')) {
                const auto argument = readArgument();
                if (!argument) return false;
                part.text = *argument;
                part.bracketed = true;
            }
            column.parts_.push_back(std::move(part));
            return true;
        }
        return failPart(std::string("unexpected character \"") + c + "\"");
    }

    bool readHeader(ListColumn& column) {
        if (column.find(Kind::Header)) return failPart("a second header");
        const auto text = readDelimited('~', "header");
        if (!text) return false;
        Part part{Kind::Header, 0, *text, {}, false};
        if (!atEnd() && justifyFromLetter(text_[pos_])) {
            part.letter = text_[pos_++];
            if (peek('(')) {
                part.number = readBracketedNumber("the header offset");
                if (!part.number) return false;
            }
        }
        column.parts_.push_back(std::move(part));
        return true;
    }

    // The text up to the closing delimiter, which is skipped.
    std::optional<std::string> readDelimited(char delimiter, const char* what) {
        const std::size_t close = text_.find(delimiter, pos_ + 1);
        if (close == std::string_view::npos) {
            return failColumn(std::string("the ") + what + " has no closing \"" + delimiter + "\"");
        }
        std::string inside(text_.substr(pos_ + 1, close - pos_ - 1));
        pos_ = close + 1;
        return inside;
    }

    std::optional<int> readBracketedNumber(const char* what) {
        ++pos_;  // "("
        const auto number = readNumber(true);
        if (!number) return failColumn(std::string(what) + " in brackets must be a number");
        if (!peek(')')) return failColumn(std::string(what) + " has no closing \")\"");
        ++pos_;
        return number;
    }

    std::optional<std::string> readArgument() {
        const std::size_t open = pos_;
        const std::size_t close = text_.find(')', open);
        if (close == std::string_view::npos) {
            return failColumn("the bracket has no closing \")\"");
        }
        for (pos_ = open + 1; pos_ < close; ++pos_) {
            const char c = text_[pos_];
            if (!isDigit(c) && c != '-' && c != '+' && c != ',' && c != '.') {
                return failColumn(std::string("unexpected character \"") + c + "\" in brackets");
            }
        }
        pos_ = close + 1;
        return std::string(text_.substr(open + 1, close - open - 1));
    }

    std::optional<int> readNumber(bool signedNumber) {
        const std::size_t start = pos_;
        const auto number = numberIn(text_, pos_, signedNumber);
        if (!number && pos_ != start) {
            pos_ = start;
            failColumn("the number is larger than " + std::to_string(kMaxListUnits));
        }
        return number;
    }

    // Digits (with a leading "-" when signed) at `at`, which moves past them; nullopt when there
    // are none or the number is out of range.
    static std::optional<int> numberIn(std::string_view text, std::size_t& at, bool signedNumber) {
        const bool negative = signedNumber && at < text.size() && text[at] == '-';
        std::size_t i = at + (negative ? 1 : 0);
        const std::size_t first = i;
        long long value = 0;
        for (; i < text.size() && isDigit(text[i]); ++i) {
            value = std::min<long long>(value * 10 + (text[i] - '0'), kMaxListUnits + 1LL);
        }
        if (i == first) return std::nullopt;
        at = i;
        if (value > kMaxListUnits) return std::nullopt;
        return static_cast<int>(negative ? -value : value);
    }

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    bool atEnd() const { return pos_ >= text_.size(); }
    bool peek(char c) const { return !atEnd() && text_[pos_] == c; }

    ListFormatParse fail(std::string reason) {
        return ListFormatParse{std::nullopt, std::move(reason)};
    }

    // Keeps the first reason: a failure deep in a part is the one worth telling.
    std::nullopt_t failColumn(const std::string& reason) {
        if (error_.empty()) {
            error_ = "column " + std::to_string(column_) + ", character " +
                     std::to_string(pos_ + 1) + ": " + reason;
        }
        return std::nullopt;
    }
    bool failPart(const std::string& reason) {
        failColumn(reason);
        return false;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int column_ = 0;
    std::string error_;
};

ListFormatParse ListFormat::parse(std::string_view text) {
    return ListFormatParser(text).run();
}

std::string ListFormat::text() const {
    std::string out;
    for (const ListColumn& column : columns_) out += column.text();
    return out;
}

}  // namespace cdz
