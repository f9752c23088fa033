// The housekeeping passes over real files: albums made from songs, links tested and repaired,
// dates made years, with batches, a cancel, an album that cannot be added, and second passes
// that find nothing to rewrite.
#include <sqlite3.h>

#include "runtime/text/DateTime.h"
#include "tests/app/albums/maintenance/MaintenanceFixture.h"

namespace cdz::test {
namespace {

using P = MaintenancePass;

TEST_F(MaintenanceTest, CopyToAlbumMakesOneAlbumForTenSongsAndLinksThemAll) {
    for (int i = 0; i < 10; ++i) {
        addSong("Band", "First Light");
        cat.song().Media = "CD";
        cat.song().ReleaseDate = 1990;
        cat.song().CategoryID = 7;
        ASSERT_EQ(cat.file(F::Cadenzio).put(), 0);
    }
    MaintenanceRun run(cat, P::CopyToAlbum, 4);  // the album's songs span three batches
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.runToEnd());
    const auto made = albums();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].Artist, "Band");
    EXPECT_EQ(made[0].Album, "First Light");
    EXPECT_EQ(made[0].Media, "CD");
    EXPECT_EQ(made[0].ReleaseDate, 1990);
    EXPECT_EQ(made[0].CategoryID.toInt(), 7);
    for (const SongRecord& s : songs()) EXPECT_EQ(s.AlbumID, made[0].AlbumID);
    EXPECT_EQ(run.tally().albumsCreated, 1);
    EXPECT_EQ(run.done(), 10);
    EXPECT_EQ(run.percent(), 100);
}

// What both linking passes share.
class LinkingPassTest : public MaintenanceTest, public ::testing::WithParamInterface<P> {};

TEST_P(LinkingPassTest, SongOfACompilationIsLinkedToIt) {
    const int32_t various = addAlbum("Various", "Hits");
    addSong("Singer", "Hits");
    ASSERT_TRUE(runPass(GetParam()));
    EXPECT_EQ(songs()[0].AlbumID, various);
    EXPECT_EQ(albums().size(), 1u);
}

TEST_P(LinkingPassTest, NumberNoAlbumHasIsReplacedByTheAlbumOfTheTitle) {
    const int32_t real = addAlbum("Band", "Real");
    addSong("Band", "Real", real + 50);
    addSong("Band", "Real", 0);
    addSong("Band", "Real", real + 50);
    ASSERT_TRUE(runPass(GetParam(), 2));
    for (const SongRecord& s : songs()) EXPECT_EQ(s.AlbumID, real);
}

TEST_P(LinkingPassTest, BlankAlbumTitleLeavesTheSongOnNoAlbum) {
    addAlbum("Band", "");  // typed in by hand without a title
    addSong("Band", "", 0);
    addSong("Band", "", 999);
    ASSERT_TRUE(runPass(GetParam()));
    for (const SongRecord& s : songs()) EXPECT_EQ(s.AlbumID, 0);
    EXPECT_EQ(albums().size(), 1u);
}

TEST_P(LinkingPassTest, SecondPassRewritesNothing) {
    addAlbum("Various", "Hits");
    const int32_t real = addAlbum("Band", "Real");
    addSong("Singer", "Hits");
    addSong("Band", "Real", real + 9);
    addSong("Band", "Real", real);
    addSong("Band", "");
    addSong("Other", "Unknown");
    ASSERT_TRUE(runPass(P::CopyToAlbum));
    ASSERT_TRUE(runPass(GetParam(), 2));
    const int64_t before = revisions();
    MaintenanceRun again(cat, GetParam(), 2);
    ASSERT_TRUE(again.start());
    ASSERT_TRUE(again.runToEnd());
    EXPECT_EQ(again.rewritten(), 0);
    EXPECT_EQ(again.done(), 5);
    EXPECT_EQ(revisions(), before);
}

INSTANTIATE_TEST_SUITE_P(Both, LinkingPassTest, ::testing::Values(P::CopyToAlbum, P::TestAlbumIDs));

TEST_F(MaintenanceTest, TestAlbumIDsUnlinksASongWhoseAlbumIsNowhere) {
    const int32_t other = addAlbum("Band", "Other");
    addSong("Band", "Gone", other);
    ASSERT_TRUE(runPass(P::TestAlbumIDs));
    EXPECT_EQ(songs()[0].AlbumID, 0);
    EXPECT_EQ(albums().size(), 1u);  // it makes no album
}

TEST_F(MaintenanceTest, TestAlbumIDsNumbersAnUnnumberedSongTwoAboveTheHighest) {
    addSong("Band", "Real", 0, 5);
    addSong("Band", "Real", 0, 9);
    addSong("Band", "Real", 0, 2);
    cat.song().ID = 0;
    ASSERT_EQ(cat.file(F::Cadenzio).put(), 0);
    ASSERT_TRUE(runPass(P::TestAlbumIDs));
    std::vector<int32_t> ids;
    for (const SongRecord& s : songs()) ids.push_back(s.ID);
    EXPECT_EQ(ids, (std::vector<int32_t>{5, 9, 11}));
}

TEST_F(MaintenanceTest, DatesBecomeYearsAndYearsStay) {
    struct Case {
        int32_t stored;
        int32_t expected;
    };
    const Case cases[] = {
        {1985, 1985}, {dateFromYmd(1997, 3, 12), 1997}, {0, 0}, {3000, 3000}, {3001, 1809}};
    // 3001, the lowest value taken for a day number, falls in March 1809.
    for (const Case& c : cases) {
        addSong("Band", "Real");
        cat.song().ReleaseDate = c.stored;
        ASSERT_EQ(cat.file(F::Cadenzio).put(), 0);
        addAlbum("Band", "Album " + std::to_string(c.stored));
        cat.album().ReleaseDate = c.stored;
        ASSERT_EQ(cat.file(F::Album).put(), 0);
    }
    for (P pass : {P::ConvertDateToYear, P::ConvertAlbumDateToYear}) {
        MaintenanceRun run(cat, pass, 2);
        ASSERT_TRUE(run.start());
        ASSERT_TRUE(run.runToEnd());
        EXPECT_EQ(run.rewritten(), 2);  // only the two day numbers
    }
    const auto s = songs();
    const auto a = albums();
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(s[i].ReleaseDate, cases[i].expected) << cases[i].stored;
        EXPECT_EQ(a[i].ReleaseDate, cases[i].expected) << cases[i].stored;
    }
}

TEST_F(MaintenanceTest, AlbumThatCannotBeAddedIsReportedAndItsSongsStayOnNone) {
    // One album per media: the second album on CD is refused as a duplicate key (on a server,
    // where the batch's albums are added together, once the batch is done again one by one).
    addAlbum("Band", "Held");
    cat.album().Media = "CD";
    ASSERT_EQ(cat.file(F::Album).put(), 0);
    const DataFile& albumFile = cat.file(F::Album);
    const std::string index =
        onServer() ? "CREATE UNIQUE INDEX OnePerMedia ON " + albumFile.sql().ref() + "(\"Media\")"
                   : "CREATE UNIQUE INDEX " + albumFile.sql().schema() + ".OnePerMedia ON " +
                         albumFile.sql().table() + "(Media)";
    ASSERT_EQ(cat.database().exec(index), 0) << cat.database().error().driverText;
    for (const char* title : {"Refused", "Made", "Refused"}) {
        addSong("Band", title);
        cat.song().Media = std::string_view(title) == "Made" ? "LP" : "CD";
        ASSERT_EQ(cat.file(F::Cadenzio).put(), 0);
    }
    MaintenanceRun run(cat, P::CopyToAlbum);
    ASSERT_TRUE(run.start());
    ASSERT_TRUE(run.runToEnd());
    ASSERT_EQ(run.tally().failedAlbums.size(), 1u);
    EXPECT_EQ(run.tally().failedAlbums[0].album, "Refused");
    EXPECT_EQ(run.tally().failedAlbums[0].error, errorText(err::kDuplicateKey));
    EXPECT_EQ(run.tally().albumsCreated, 1);
    const auto s = songs();
    const auto a = albums();
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(s[0].AlbumID, 0);
    EXPECT_EQ(s[1].AlbumID, a[1].AlbumID);
    EXPECT_EQ(s[2].AlbumID, 0);
}

TEST_F(MaintenanceTest, CancelAfterOneBatchKeepsThatBatch) {
    for (int i = 0; i < 30; ++i) addSong("Band", "Album " + std::to_string(i));
    MaintenanceRun run(cat, P::CopyToAlbum, 10);
    ASSERT_TRUE(run.start());
    EXPECT_EQ(run.total(), 30);
    ASSERT_TRUE(run.step());
    run.cancel();
    EXPECT_FALSE(run.step());
    EXPECT_TRUE(run.cancelled());
    EXPECT_EQ(run.done(), 10);
    EXPECT_EQ(run.percent(), 33);
    EXPECT_EQ(albums().size(), 10u);
    const auto s = songs();
    for (size_t i = 0; i < s.size(); ++i) EXPECT_EQ(s[i].AlbumID != 0, i < 10) << i;
}

}  // namespace
}  // namespace cdz::test
