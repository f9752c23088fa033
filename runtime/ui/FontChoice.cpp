#include "runtime/ui/FontChoice.h"

#include <QFont>
#include <algorithm>
#include <charconv>

namespace cdz {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

std::optional<int> number(std::string_view s) {
    s = trim(s);
    int n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return n;
}

}  // namespace

std::string FontChoice::toText() const {
    return typeface + ',' + std::to_string(size) + ',' + colour.toString() + ',' +
           std::to_string(style);
}

std::optional<FontChoice> FontChoice::parse(std::string_view text) {
    std::string_view fields[3];
    for (int i = 2; i >= 0; --i) {
        const auto comma = text.rfind(',');
        if (comma == std::string_view::npos) return std::nullopt;
        fields[i] = text.substr(comma + 1);
        text = text.substr(0, comma);
    }
    const auto size = number(fields[0]);
    const auto colour = Colour::parse(trim(fields[1]));
    const auto style = number(fields[2]);
    if (!size || *size < 0 || !colour || !style || *style < 0) return std::nullopt;
    return FontChoice{std::string(trim(text)), *size, *colour, *style};
}

QFont FontChoice::toQFont(const QFont& base) const {
    QFont font = base;
    if (!typeface.empty()) font.setFamily(QString::fromStdString(typeface));
    if (size > 0) font.setPointSize(size);
    // The style's weight scale is the one QFont uses (400 normal, 700 bold).
    const int w = weight();
    font.setWeight(static_cast<QFont::Weight>(w == 0 ? 400 : std::clamp(w, 1, 1000)));
    font.setItalic(italic());
    font.setUnderline(underline());
    font.setStrikeOut(strikeOut());
    return font;
}

FontChoice FontChoice::fromQFont(const QFont& font, Colour colour) {
    FontChoice out;
    out.typeface = font.family().toStdString();
    out.size = std::max(font.pointSize(), 0);
    out.colour = colour;
    out.style = (static_cast<int>(font.weight()) & kWeightMask) | (font.italic() ? kItalic : 0) |
                (font.underline() ? kUnderline : 0) | (font.strikeOut() ? kStrikeOut : 0);
    return out;
}

}  // namespace cdz
