// Creating a file only when it is missing, as two stations starting at once both try to.
#include <gtest/gtest.h>

#include "runtime/data/CreateIfMissing.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

TEST(CreateIfMissing, MakesAMissingFileAndKeepsTheRecordsOfOneAnotherStationMade) {
    TempDir dir;
    TestDatabase first{dir.path()};
    TestDatabase second{dir.path()};
    SongRec mine;
    SongRec theirs;
    DataFile firstSongs{first, songDecl(), mine};
    DataFile secondSongs{second, songDecl(), theirs};

    ASSERT_EQ(createIfMissing(firstSongs), 0) << first.error().driverText;
    ASSERT_EQ(firstSongs.open(), 0);
    mine.Artist = "Nina Simone";
    mine.Title = "Sinnerman";
    ASSERT_EQ(firstSongs.add(), 0);

    // The second station found the file missing a moment ago and creates it now.
    EXPECT_EQ(createIfMissing(secondSongs), 0) << second.error().driverText;
    ASSERT_EQ(secondSongs.open(), 0);
    EXPECT_EQ(secondSongs.records(), 1);
    EXPECT_EQ(createIfMissing(firstSongs), err::kFileAlreadyOpen);
}

}  // namespace
}  // namespace cdz::test
