#pragma once
// A font as the font dialog returns it and settings and the favourite fonts keep it: typeface,
// point size, colour and a style number holding the weight (100..900, 0 for the normal weight)
// plus 0x1000 for italic, 0x2000 for underline and 0x4000 for strike-out.
#include <optional>
#include <string>
#include <string_view>

#include "runtime/ui/Colour.h"

class QFont;

namespace cdz {

struct FontChoice {
    static constexpr int kWeightMask = 0x0FFF;
    static constexpr int kItalic = 0x1000;
    static constexpr int kUnderline = 0x2000;
    static constexpr int kStrikeOut = 0x4000;
    static constexpr int kBold = 700;

    std::string typeface;
    int size = 0;  // points; 0 keeps the base font's size
    Colour colour;
    int style = 0;

    int weight() const { return style & kWeightMask; }
    bool italic() const { return (style & kItalic) != 0; }
    bool underline() const { return (style & kUnderline) != 0; }
    bool strikeOut() const { return (style & kStrikeOut) != 0; }

    // base with this choice applied; an empty typeface or zero size keeps base's.
    QFont toQFont(const QFont& base) const;
    static FontChoice fromQFont(const QFont& font, Colour colour);

    // "Typeface,Size,Colour,Style", e.g. "Arial Narrow,10,255,700" (colour as stored, or
    // "#RRGGBB" when parsing). The typeface may itself hold commas: numbers are read from the
    // right.
    std::string toText() const;
    static std::optional<FontChoice> parse(std::string_view text);

    bool operator==(const FontChoice&) const = default;
};

}  // namespace cdz
