#pragma once
// Text pictures @sN: the value cut to N characters (never inside a UTF-8 sequence).
#include <optional>
#include <string>
#include <string_view>

namespace cdz {

class TextPicture {
public:
    // Parses the part after the kind letter ("40"); nullopt when malformed.
    static std::optional<TextPicture> parse(std::string_view rest);

    int width() const { return width_; }
    std::string format(std::string_view value) const;
    // A number shown as text takes its plain notation ("12.5").
    std::string format(double value) const;
    std::string deformat(std::string_view shown) const { return format(shown); }

private:
    int width_ = 0;
};

}  // namespace cdz
