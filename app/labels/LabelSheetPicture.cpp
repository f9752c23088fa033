#include "app/labels/LabelSheetPicture.h"

#include <charconv>
#include <cmath>

#include "app/domain/data/LabelRecord.h"

namespace cdz {
namespace {

constexpr std::string_view kActual = "Actual";

std::int32_t rounded(double v) {
    return static_cast<std::int32_t>(std::lround(v));
}

}  // namespace

std::optional<Mils> LabelSheetPicture::height(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto got = std::from_chars(text.data(), end, value);
    if (text.empty() || got.ec != std::errc() || got.ptr != end || value <= 0) return std::nullopt;
    return Mils{value};
}

MilsRect LabelSheetPicture::box(const LabelRecord& label, QSize pixels, double dpi) {
    if (dpi <= 0) dpi = kDefaultDpi;
    const double ownWidth = pixels.width() * Mils::perInch / dpi;
    const double ownHeight = pixels.height() * Mils::perInch / dpi;
    double width = ownWidth;
    double height = ownHeight;
    if (label.ImageSize.clipped() != kActual) {
        const bool hasWidth = label.ImageSizeX > 0;
        const std::optional<Mils> givenHeight = LabelSheetPicture::height(label.ImageSizeY.view());
        if (hasWidth) width = label.ImageSizeX;
        if (givenHeight) height = givenHeight->value;
        // One side given: the other follows the picture's proportions.
        if (hasWidth && !givenHeight && ownWidth > 0) height = ownHeight * width / ownWidth;
        if (givenHeight && !hasWidth && ownHeight > 0) width = ownWidth * height / ownHeight;
    }
    // A position left at 0 (or below, off the label) keeps the design's place.
    const Mils x = label.ImagePositionX > 0 ? Mils{label.ImagePositionX} : kDesignX;
    const Mils y = label.ImagePositionY > 0 ? Mils{label.ImagePositionY} : kDesignY;
    return MilsRect{x, y, Mils{rounded(width)}, Mils{rounded(height)}};
}

}  // namespace cdz
