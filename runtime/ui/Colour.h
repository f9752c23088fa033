#pragma once
// A colour as the program keeps it in settings and data files: red in the low byte, then green,
// then blue (0x00BBGGRR). Any value outside 0..0xFFFFFF (normally -1) means "no colour": the
// control keeps its own.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QColor;

namespace cdz {

class Colour {
public:
    constexpr Colour() = default;
    static constexpr Colour fromValue(std::int32_t value) { return Colour(value); }
    static constexpr Colour fromRgb(int red, int green, int blue) {
        return Colour((red & 255) | (green & 255) << 8 | (blue & 255) << 16);
    }
    static Colour fromQColor(const QColor& c);

    constexpr std::int32_t value() const { return value_; }
    constexpr bool isNone() const { return value_ < 0 || value_ > 0xFFFFFF; }
    constexpr int red() const { return value_ & 255; }
    constexpr int green() const { return value_ >> 8 & 255; }
    constexpr int blue() const { return value_ >> 16 & 255; }
    // An invalid QColor for no colour.
    QColor toQColor() const;

    // The stored number ("255" for red, "-1" for none).
    std::string toString() const { return std::to_string(value_); }
    // A stored number, or "#RRGGBB" as people write colours; nullopt for anything else.
    static std::optional<Colour> parse(std::string_view text);

    constexpr bool operator==(const Colour&) const = default;

private:
    constexpr explicit Colour(std::int32_t value) : value_(value) {}
    std::int32_t value_ = -1;
};

}  // namespace cdz
