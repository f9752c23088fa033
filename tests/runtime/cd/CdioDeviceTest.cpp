// The libcdio drive over disc images, and the drive that is not there.
#include <gtest/gtest.h>

#include <numeric>

#include "runtime/cd/CdioDevice.h"
#include "tests/runtime/cd/DiscImage.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

using test::msf;

TEST(CdioDevice, ReadsEachTrackAndTheWholeDiscFromTheTableOfContents) {
    test::TempDir dir;
    const std::vector<int32_t> tracks{msf(4, 12, 33), msf(3, 5, 74), msf(61, 0, 1)};
    CdioDevice device(test::writeDiscImage(dir.path(), "album", tracks).string());
    ASSERT_EQ(device.open(), CdFault::None);
    EXPECT_EQ(device.status(), CdFault::None);
    CdContents read;
    ASSERT_EQ(device.contents(read), CdFault::None);
    EXPECT_EQ(read.trackFrames, tracks);
    EXPECT_EQ(read.discFrames, std::accumulate(tracks.begin(), tracks.end(), 0));
    device.close();
    EXPECT_FALSE(device.isOpen());
}

TEST(CdioDevice, AMissingImageIsNotAvailableAndLeavesNothingOpen) {
    test::TempDir dir;
    for (const std::string name : {"absent.cue", "absent.nrg"}) {
        CdioDevice device(dir.file(name));
        EXPECT_EQ(device.open(), CdFault::NotAvailable) << name;
        EXPECT_FALSE(device.isOpen());
        EXPECT_EQ(device.status(), CdFault::NotAvailable);
    }
}

TEST(CdDevice, LengthsShowAsMinutesSecondsAndFrames) {
    EXPECT_EQ(cdFramesToMsf(msf(4, 59, 74)), "04:59:74");
    EXPECT_EQ(cdFramesToMsf(msf(75, 0)), "75:00:00");
    EXPECT_EQ(cdFramesToMsf(0), "00:00:00");
}

}  // namespace
}  // namespace cdz
