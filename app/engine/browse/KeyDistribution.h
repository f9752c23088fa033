#pragma once
// A sort order's estimate of where a key lies in its view, from the first and the last key
// alone: 100 points spread between them over the 4 characters that follow their common
// prefix, read as numbers in the base of the sort order's alphabet. The browse reads the two
// keys; the distribution places the thumb and gives the key a dropped thumb locates.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/engine/browse/KeyCollation.h"
#include "app/engine/browse/ThumbAlphabet.h"

namespace cdz {

class KeyDistribution {
public:
    static constexpr int kPoints = 100;

    // `width`: the key component's width in characters; `classes`: ThumbCharClass flags;
    // `collation`: how the key compares (prefixes and thumb places compare that way).
    KeyDistribution(int width, int classes, KeyCollation collation);

    // Rebuilds the points from the view's first and last key. A browse whose view is empty
    // does not call it, and the previous points stay.
    void build(std::string_view low, std::string_view high);
    bool built() const { return built_; }

    // Point k, 1 to 100: the key to locate when the thumb is dropped at k.
    const std::string& point(int k) const { return points_[static_cast<size_t>(k - 1)]; }
    const std::string& prefix() const { return prefix_; }
    const std::string& low() const { return low_; }
    const std::string& high() const { return high_; }
    int64_t lowNumber() const { return lowNumber_; }
    int64_t highNumber() const { return highNumber_; }

    // The thumb's place for a record with this key: the first point at or after it (0 when
    // that is point 1), 100 when none is; 0 before anything was built.
    int thumbPosition(std::string_view key) const;

private:
    std::u32string fourAfterPrefix(const std::u32string& value, size_t prefixLength) const;
    int64_t numberOf(const std::u32string& four) const;
    std::string pointOf(int64_t number) const;
    // A key as the points are compared: upper-cased when letters count in upper case, then
    // as the key compares.
    std::string comparable(std::string_view key) const;

    int width_;
    ThumbAlphabet alphabet_;
    bool upper_;
    KeyCollation collation_;
    bool built_ = false;
    std::string low_, high_, prefix_;
    int64_t lowNumber_ = 0, highNumber_ = 0;
    std::array<std::string, kPoints> points_;
    std::array<std::string, kPoints> comparable_;
};

}  // namespace cdz
