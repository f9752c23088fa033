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

TEST(CdioDevice, ReadsTheCdTextOfAnImageAndNoneWhereItHasNone) {
    test::TempDir dir;
    const std::vector<int32_t> tracks{msf(3, 0), msf(4, 0), msf(5, 0)};
    const struct {
        const char* name;
        CdText written;
        CdText read;
    } cases[] = {
        {"plain", {}, {}},
        {"titled",
         {"Lanterns", "Nadia Korr", {"Blue Hour", "", "Tidewater"}, {"", "Guest Singer", ""}},
         {"Lanterns", "Nadia Korr", {"Blue Hour", "", "Tidewater"}, {"", "Guest Singer", ""}}},
        // A sheet written in UTF-8 keeps its accents.
        {"accented",
         {"Noël à Paris", "Zoë Brûlé", {"Café", "Straße", "Ωmega"}, {}},
         {"Noël à Paris", "Zoë Brûlé", {"Café", "Straße", "Ωmega"}, {"", "", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CdioDevice device(test::writeDiscImage(dir.path(), c.name, tracks, c.written).string());
        ASSERT_EQ(device.open(), CdFault::None);
        CdContents read;
        ASSERT_EQ(device.contents(read), CdFault::None);
        EXPECT_EQ(read.trackFrames, tracks);
        EXPECT_EQ(read.text.albumTitle, c.read.albumTitle);
        EXPECT_EQ(read.text.albumPerformer, c.read.albumPerformer);
        EXPECT_EQ(read.text.trackTitles, c.read.trackTitles);
        EXPECT_EQ(read.text.trackPerformers, c.read.trackPerformers);
    }
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
