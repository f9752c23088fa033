#pragma once
// A length in thousandths of an inch, the unit report and label designs give positions in; a
// type of its own so that points, pixels and mils cannot be mixed up silently.
#include <compare>
#include <cstdint>

namespace cdz {

struct Mils {
    std::int32_t value = 0;

    static constexpr double perInch = 1000.0;
    static constexpr Mils fromPoints(double points) {
        return Mils{static_cast<std::int32_t>(points * perInch / 72.0 + (points < 0 ? -0.5 : 0.5))};
    }
    constexpr double inches() const { return value / perInch; }
    constexpr double points() const { return value * 72.0 / perInch; }

    friend constexpr auto operator<=>(Mils, Mils) = default;
    friend constexpr Mils operator+(Mils a, Mils b) { return Mils{a.value + b.value}; }
    friend constexpr Mils operator-(Mils a, Mils b) { return Mils{a.value - b.value}; }
};

constexpr Mils operator""_mils(unsigned long long v) {
    return Mils{static_cast<std::int32_t>(v)};
}

// A point and a rectangle on the page, in mils from the paper's top left corner.
struct MilsPoint {
    Mils x, y;
    friend constexpr bool operator==(const MilsPoint&, const MilsPoint&) = default;
};

struct MilsRect {
    Mils x, y, width, height;
    friend constexpr bool operator==(const MilsRect&, const MilsRect&) = default;
};

}  // namespace cdz
