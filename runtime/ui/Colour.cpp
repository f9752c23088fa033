#include "runtime/ui/Colour.h"

#include <QColor>
#include <charconv>

namespace cdz {

Colour Colour::fromQColor(const QColor& c) {
    return c.isValid() ? fromRgb(c.red(), c.green(), c.blue()) : Colour();
}

QColor Colour::toQColor() const {
    return isNone() ? QColor() : QColor(red(), green(), blue());
}

std::optional<Colour> Colour::parse(std::string_view text) {
    const bool hex = text.starts_with('#');
    if (hex) {
        text.remove_prefix(1);
        if (text.size() != 6) return std::nullopt;
    }
    std::int32_t n = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, n, hex ? 16 : 10);
    if (text.empty() || ec != std::errc() || stop != end) return std::nullopt;
    if (hex) {
        if (text.front() == '-' || text.front() == '+') return std::nullopt;
        return fromRgb(n >> 16 & 255, n >> 8 & 255, n & 255);
    }
    return fromValue(n);
}

}  // namespace cdz
