#include "app/engine/resize/DialogUnits.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace cdz {

namespace {

// value * multiplier / divisor rounded half away from zero, kept within int.
int scale(int value, int multiplier, int divisor) {
    const std::int64_t product = static_cast<std::int64_t>(value) * multiplier;
    const std::int64_t half = divisor / 2;
    const std::int64_t result =
        product >= 0 ? (product + half) / divisor : -((-product + half) / divisor);
    return static_cast<int>(std::clamp<std::int64_t>(result, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

int metric(int value) {
    return std::max(value, 1);
}

}  // namespace

int dialogUnitsToPixelsX(int units, int averageCharWidth) {
    return scale(units, metric(averageCharWidth), 4);
}

int dialogUnitsToPixelsY(int units, int charHeight) {
    return scale(units, metric(charHeight), 8);
}

int pixelsToDialogUnitsX(int pixels, int averageCharWidth) {
    return scale(pixels, 4, metric(averageCharWidth));
}

int pixelsToDialogUnitsY(int pixels, int charHeight) {
    return scale(pixels, 8, metric(charHeight));
}

}  // namespace cdz
