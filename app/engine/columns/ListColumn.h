#pragma once
// One column of a list format: width and justification (with an optional offset), then, in the
// order they were written, its attributes (right border "|", underline "_", resizable "M", fixed
// "F", any other capital letter with an optional bracketed argument such as "S(75)"), the header
// between "~" with its own justification and offset, the picture between "@" and the field number
// between "#". Parts a setter adds go where the program itself writes them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cdz {

// The largest width or offset a format may give, in dialog units.
constexpr int kMaxListUnits = 32767;

enum class Justify : char { Left = 'L', Right = 'R', Center = 'C', Decimal = 'D' };

// 'L', 'R', 'C' or 'D' as a justification; nullopt for any other character.
std::optional<Justify> justifyFromLetter(char letter);

class ListColumn {
public:
    ListColumn(int width, Justify justify);

    int width() const { return width_; }
    void setWidth(int width);  // kept within 0 .. kMaxListUnits
    Justify justify() const { return justify_; }
    void setJustify(Justify justify) { justify_ = justify; }
    // The data offset in brackets after the justification; nullopt when none is written.
    std::optional<int> offset() const { return offset_; }
    void setOffset(std::optional<int> offset);

    bool border() const { return hasAttribute('|'); }
    void setBorder(bool on) { setFlag('|', on); }
    bool underline() const { return hasAttribute('_'); }
    void setUnderline(bool on) { setFlag('_', on); }
    bool resizable() const { return hasAttribute('M'); }
    void setResizable(bool on) { setFlag('M', on); }
    bool fixed() const { return hasAttribute('F'); }
    void setFixed(bool on) { setFlag('F', on); }

    bool hasAttribute(char letter) const;
    // The bracketed argument of an attribute ("75" for "S(75)"), "" when written without one;
    // nullopt when the column does not have it.
    std::optional<std::string> attribute(char letter) const;
    // Adds or replaces an attribute letter ('|', '_' or a capital) with an optional argument
    // (digits, signs, commas, dots); false when letter or argument cannot be written.
    bool setAttribute(char letter, std::optional<std::string> argument = std::nullopt);
    void removeAttribute(char letter);

    // nullopt when the column has no header part ("~~" is an empty header).
    std::optional<std::string> header() const;
    std::optional<Justify> headerJustify() const;
    std::optional<int> headerOffset() const;
    // False (and nothing changes) when the text holds "~", which would end the header early.
    bool setHeader(std::string text);
    // Needs a header; a justification must be given for an offset to be written.
    void setHeaderJustify(std::optional<Justify> justify, std::optional<int> offset = {});
    void removeHeader();

    // The picture without its "@" ("s40"); empty when the column has none.
    std::string picture() const;
    // Empty removes the picture. False (and nothing changes) when the text holds "@".
    bool setPicture(std::string picture);

    std::optional<int> fieldNumber() const;
    void setFieldNumber(std::optional<int> number);

    // The column as the format writes it: "75L(2)|_M~Title~@s40@".
    std::string text() const;

    bool operator==(const ListColumn&) const = default;

private:
    friend class ListFormatParser;

    enum class Kind { Attribute, Header, Picture, FieldNumber };
    // One part after the justification, kept in the order it was read so that a format writes
    // back exactly as it came.
    struct Part {
        Kind kind = Kind::Attribute;
        char letter = 0;            // attribute letter; header justification (0: none)
        std::string text;           // attribute argument, header text, picture
        std::optional<int> number;  // header offset, field number
        bool bracketed = false;     // attribute written with "(argument)"
        bool operator==(const Part&) const = default;
    };

    const Part* find(Kind kind, char letter = 0) const;
    Part* find(Kind kind, char letter = 0);
    void remove(Kind kind, char letter = 0);
    Part& add(Part part);
    void setFlag(char letter, bool on);

    int width_;
    Justify justify_;
    std::optional<int> offset_;
    std::vector<Part> parts_;
};

}  // namespace cdz
