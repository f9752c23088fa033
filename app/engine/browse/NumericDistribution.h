#pragma once
// The key distribution of a sort order whose locator component is a number: 100 points evenly
// between the view's first and last value, placing the thumb as the text distribution does.
#include <array>
#include <cstddef>

namespace cdz {

class NumericDistribution {
public:
    static constexpr int kPoints = 100;

    // A browse whose view is empty does not call it, and the previous points stay.
    void build(double low, double high);
    bool built() const { return built_; }
    // Point k, 1 to 100.
    double point(int k) const { return points_[static_cast<std::size_t>(k - 1)]; }
    // The first point at or after the value (0 when that is point 1), 100 when none is; 0
    // before anything was built.
    int thumbPosition(double value) const;

private:
    bool built_ = false;
    std::array<double, kPoints> points_{};
};

}  // namespace cdz
