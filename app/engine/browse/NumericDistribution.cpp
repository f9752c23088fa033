#include "app/engine/browse/NumericDistribution.h"

namespace cdz {

void NumericDistribution::build(double low, double high) {
    const double step = (high - low) / (kPoints - 1);
    for (int k = 1; k <= kPoints; ++k)
        points_[static_cast<std::size_t>(k - 1)] = low + step * (k - 1);
    // The ends are the values read, free of rounding.
    points_.back() = high;
    built_ = true;
}

int NumericDistribution::thumbPosition(double value) const {
    if (!built_) return 0;
    for (int k = 1; k <= kPoints; ++k)
        if (points_[static_cast<std::size_t>(k - 1)] >= value) return k < 2 ? 0 : k;
    return kPoints;
}

}  // namespace cdz
