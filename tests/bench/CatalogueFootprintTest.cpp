// Catalogue sizes the generator cannot hold in memory are refused before anything is written.
#include <gtest/gtest.h>

#include "bench/generator/CatalogueFootprint.h"

namespace cdz::gen {
namespace {

constexpr uint64_t kGiB = uint64_t{1} << 30;

TEST(CatalogueFootprint, ASizeBeyondTheMemoryIsRefusedNamingWhatFits) {
    const CatalogueShape largest{1, 2147483647, 200};
    const auto why = CatalogueFootprint::refusal(largest, 16 * kGiB);
    ASSERT_TRUE(why);
    const int64_t most = CatalogueFootprint::mostSongs(16 * kGiB);
    EXPECT_EQ(*why,
              "a catalogue of 2147483647 songs needs about 43723 MiB of memory for its "
              "178956970 artists, more than the 16384 MiB of this machine; at most " +
                  std::to_string(most) + " songs fit");
    // The most that fit do fit, and one artist more does not.
    EXPECT_FALSE(CatalogueFootprint::refusal(CatalogueShape{1, most, 200}, 16 * kGiB));
    EXPECT_TRUE(CatalogueFootprint::refusal(CatalogueShape{1, most + 1, 200}, 16 * kGiB));
    // The reference catalogue fits in little.
    EXPECT_FALSE(CatalogueFootprint::refusal(CatalogueShape{}, kGiB));
}

}  // namespace
}  // namespace cdz::gen
