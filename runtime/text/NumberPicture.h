#pragma once
// Number pictures: [@]N [-] [fill] width [.places] [B], fill being "0" (zero fill), "*"
// (asterisk fill) or "_" (no grouping). Output is always exactly `width` characters: digits
// grouped by commas when that fits, ungrouped when only that fits, and '#' repeated when the
// value cannot be shown at all.
#include <optional>
#include <string>
#include <string_view>

#include "runtime/text/NumberText.h"

namespace cdz {

class NumberPicture {
public:
    enum class Fill { Blank, Zero, Asterisk };

    // Parses the part after the kind letter ("-10.2", "_4b"); nullopt when malformed.
    static std::optional<NumberPicture> parse(std::string_view rest);

    int width() const { return width_; }
    int places() const { return places_; }
    bool blankWhenZero() const { return blankWhenZero_; }

    std::string format(NumberText value) const;
    std::string format(double value) const;
    // A stored value given as text; text that is not a number shows as zero.
    std::string format(std::string_view stored) const;
    // Plain number text ("1234.5", "-3", "0"); text that is not a number gives "0".
    std::string deformat(std::string_view shown) const;

private:
    std::string layout(const NumberText& value, bool grouped) const;

    int width_ = 0;
    int places_ = 0;
    Fill fill_ = Fill::Blank;
    bool grouped_ = true;
    bool blankWhenZero_ = false;
};

}  // namespace cdz
