// RIUpdate: saving, songs following a changed media name, category or album number, failures
// that leave the files as they were, and a record changed meanwhile by another station.
#include "tests/app/domain/integrity/IntegrityFixture.h"

namespace cdz::test {
namespace {

class UpdateTest : public IntegrityTest {};

TEST_F(UpdateTest, MediaRenameReachesEverySong) {
    struct Case {
        const char* newName;
        const char* why;
    } cases[] = {
        {"Compact Disc", "sorts after the old name"},
        {"AAA", "sorts before it"},
        {"Cd", "differs only in case"},
        {"CD-RW", "sorts right after it"},
    };
    useFiles({F::Media, F::Album});
    ASSERT_EQ(cat.use(F::Cadenzio), 0);
    ASSERT_EQ(cat.file(F::Cadenzio).stream(), 0);
    for (int i = 0; i < 150; ++i) {
        addSong("song " + std::to_string(i), 0, 0, i % 3 ? "CD" : "cd");
        cat.song().FileNumber = std::to_string(i % 7);  // spread over the key's next component
        ASSERT_EQ(cat.file(F::Cadenzio).put(), 0);
    }
    addSong("a", 0, 0, "CD-R");
    addSong("b", 0, 0, "Cassette");
    ASSERT_EQ(cat.file(F::Cadenzio).flush(), 0);
    cat.release(F::Cadenzio);
    addAlbum("on cd", "CD");
    addMedia("CD");
    // Another station holds a song that carries the name under a change watch.
    Station other(dir.path());
    ASSERT_EQ(other.catalogue.use(F::Cadenzio), 0);
    other.catalogue.file(F::Cadenzio).watch();
    ASSERT_EQ(other.catalogue.file(F::Cadenzio).getRecord(1), 0);

    std::string current = "CD";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        cat.media().Media = current;
        load(F::Media);
        integrity.savedLinks().record(cat, F::Media);
        cat.media().Media = c.newName;
        EXPECT_EQ(integrity.RIUpdate(F::Media, 1), Integrity::kDone);
        EXPECT_TRUE(shown().empty());
        EXPECT_EQ(songsWhere([&](const SongRecord& s) { return s.Media == c.newName; }), 150u);
        EXPECT_EQ(songsWhere([&](const SongRecord& s) { return s.Media == "CD-R"; }), 1u);
        EXPECT_EQ(songsWhere([&](const SongRecord& s) { return s.Media == "Cassette"; }), 1u);
        current = c.newName;
    }
    // Albums are not cascaded.
    EXPECT_EQ(all(F::Album, cat.album()).front().Media, "CD");
    // The song changed under the other station's watch: its put does not undo the rename.
    EXPECT_EQ(other.catalogue.file(F::Cadenzio).put(), err::kRecordChanged);
    EXPECT_EQ(cat.useCount(F::Cadenzio), 0);
}

TEST_F(UpdateTest, SongsFollowANewCategoryOrAlbumNumber) {
    useFiles({F::Categories, F::Album, F::Cadenzio});
    const int64_t low = addCategory("low");
    const int64_t moving = addCategory("moving");
    const int64_t high = addCategory("high");
    const int32_t albumLow = addAlbum("low");
    const int32_t albumMoving = addAlbum("moving");
    for (int i = 0; i < 20; ++i) {
        addSong("m" + std::to_string(i), static_cast<int32_t>(moving), albumMoving, "", 20 - i);
        addSong("l" + std::to_string(i), static_cast<int32_t>(low), albumLow, "", i);
        addSong("h" + std::to_string(i), static_cast<int32_t>(high));
    }
    // Up past a number in use, down again, then far up.
    int64_t from = moving;
    for (int64_t target : {high + 2, high + 1, int64_t{100000}}) {
        SCOPED_TRACE(target);
        cat.category().CategoryID = Decimal<6, 0>::fromRaw(from);
        load(F::Categories);
        integrity.savedLinks().record(cat, F::Categories);
        cat.category().CategoryID = Decimal<6, 0>::fromRaw(target);
        EXPECT_EQ(integrity.RIUpdate(F::Categories, 1), Integrity::kDone);
        EXPECT_EQ(songsWhere([&](const SongRecord& s) { return s.CategoryID == target; }), 20u);
        EXPECT_EQ(songsWhere([&](const SongRecord& s) { return s.CategoryID == low; }), 20u);
        EXPECT_EQ(songsWhere([&](const SongRecord& s) { return s.CategoryID == high; }), 20u);
        from = target;
    }

    cat.album().AlbumID = albumMoving;
    load(F::Album);
    integrity.savedLinks().record(cat, F::Album);
    cat.album().AlbumID = 900;
    EXPECT_EQ(integrity.RIUpdate(F::Album, 1), Integrity::kDone);
    size_t tracksKept = songsWhere([&](const SongRecord& s) {
        return s.AlbumID == 900 && s.Title.str() == "m" + std::to_string(20 - s.TrackNumber);
    });
    EXPECT_EQ(tracksKept, 20u);
    EXPECT_EQ(songsWhere([&](const SongRecord& s) { return s.AlbumID == albumLow; }), 20u);
    EXPECT_TRUE(shown().empty());
}

TEST_F(UpdateTest, WithoutARecordedLinkTheStoredValueIsTheOldOne) {
    useFiles({F::Album, F::Cadenzio});
    const int32_t album = addAlbum("album");
    addSong("one", 0, album);
    addSong("two", 0, album);
    cat.album().AlbumID = album;
    load(F::Album);  // no form recorded the link value
    cat.album().AlbumID = 77;
    EXPECT_EQ(integrity.RIUpdate(F::Album, 1), Integrity::kDone);
    EXPECT_EQ(songsWhere([](const SongRecord& s) { return s.AlbumID == 77; }), 2u);
    // Afterwards the saved value is the saved record's.
    EXPECT_EQ(integrity.savedLinks().saved(F::Album), LinkValue{int64_t{77}});
}

// "Nothing" does not link: a parent whose number was 0 must not gather every loose song.
TEST_F(UpdateTest, OldValueZeroOrBlankMovesNoSongs) {
    useFiles({F::Album, F::Media, F::Cadenzio});
    addSong("loose", 0, 0, "");
    const int32_t album = addAlbum("album");
    cat.album().AlbumID = album;
    load(F::Album);
    integrity.savedLinks().setAlbumID(0);
    EXPECT_EQ(integrity.RIUpdate(F::Album, 1), Integrity::kDone);
    addMedia("");
    load(F::Media);
    integrity.savedLinks().setMedia("");
    cat.media().Media = "Tape";
    EXPECT_EQ(integrity.RIUpdate(F::Media, 1), Integrity::kDone);
    EXPECT_EQ(songsWhere([](const SongRecord& s) { return s.AlbumID == 0 && s.Media == ""; }), 1u);
}

TEST_F(UpdateTest, FailedPutChangesNothing) {
    useFiles({F::Categories, F::Cadenzio});
    const int64_t rock = addCategory("rock");
    addCategory("jazz");
    addSong("song", static_cast<int32_t>(rock));
    cat.category().CategoryID = Decimal<6, 0>::fromRaw(rock);
    load(F::Categories);
    integrity.savedLinks().record(cat, F::Categories);
    cat.category().Category = "jazz";  // unique
    cat.category().CategoryID = Decimal<6, 0>::fromRaw(500);
    EXPECT_EQ(integrity.RIUpdate(F::Categories, 1), Integrity::kNotDone);
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "Update Operation Error|An error (Creates Duplicate Key (40)) was "
                           "experienced when attempting to update a record from the file.  "
                           "Probable Cause: Categories."});
    EXPECT_EQ(songsWhere([&](const SongRecord& s) { return s.CategoryID == rock; }), 1u);
    EXPECT_FALSE(cat.database().inTransaction());
    EXPECT_EQ(cat.useCount(F::Cadenzio), 1);
}

// A cascade that fails undoes the saved record too; saving again is not mistaken for a change
// by another station.
TEST_F(UpdateTest, FailedCascadeUndoesTheSaveAndASecondTryWorks) {
    useFiles({F::Categories, F::Cadenzio});
    const int64_t rock = addCategory("rock");
    addSong("song", static_cast<int32_t>(rock));
    cat.category().CategoryID = Decimal<6, 0>::fromRaw(rock);
    load(F::Categories);
    integrity.savedLinks().record(cat, F::Categories);
    cat.category().Category = "rock and roll";
    cat.category().CategoryID = Decimal<6, 0>::fromRaw(int64_t{1} << 33);  // beyond the songs' LONG
    EXPECT_EQ(integrity.RIUpdate(F::Categories, 1), Integrity::kNotDone);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_NE(shown()[0].find("Probable Cause: Cadenzio."), std::string::npos) << shown()[0];
    // The form keeps what the user typed...
    EXPECT_EQ(cat.category().Category, "rock and roll");
    EXPECT_EQ(songsWhere([&](const SongRecord& s) { return s.CategoryID == rock; }), 1u);
    {
        // Read through another connection: our own file's current record must stay the form's.
        Station look(dir.path());
        ASSERT_EQ(look.catalogue.use(F::Categories), 0);
        look.catalogue.category().CategoryID = Decimal<6, 0>::fromRaw(rock);
        ASSERT_EQ(look.catalogue.file(F::Categories).get(0), 0);
        EXPECT_EQ(look.catalogue.category().Category, "rock");
    }

    // ...and saves it once the number fits.
    cat.category().CategoryID = Decimal<6, 0>::fromRaw(40);
    EXPECT_EQ(integrity.RIUpdate(F::Categories, 1), Integrity::kDone);
    EXPECT_EQ(songsWhere([](const SongRecord& s) { return s.CategoryID == 40; }), 1u);
    EXPECT_EQ(shown().size(), 1u);
}

TEST_F(UpdateTest, RecordChangedByAnotherStationComesBackWithItsWording) {
    struct Case {
        int flag;
        const char* message;
    } cases[] = {
        {Integrity::kSongForm,
         "Update Operation Error|This record was changed by another station."},
        {Integrity::kOtherForm,
         "Record Was Not Updated|This record was changed by another station. Those changes will "
         "now be displayed. Use the Ditto Button or Ctrl+' to recall your changes."},
    };
    useFiles({F::Media, F::Cadenzio});
    addMedia("CD");
    addSong("song", 0, 0, "CD");
    Station other(dir.path());
    ASSERT_EQ(other.catalogue.use(F::Media), 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flag);
        forgetShown();
        cat.media().Media = "CD";
        load(F::Media);
        integrity.savedLinks().record(cat, F::Media);
        // Meanwhile another station renames the media (through its own procedure).
        other.catalogue.media().Media = "CD";
        ASSERT_EQ(other.catalogue.file(F::Media).get(0), 0);
        other.integrity.savedLinks().record(other.catalogue, F::Media);
        other.catalogue.media().Media = "Disc";
        ASSERT_EQ(other.integrity.RIUpdate(F::Media, 1), Integrity::kDone);

        cat.media().Media = "Mine";
        EXPECT_EQ(integrity.RIUpdate(F::Media, c.flag), Integrity::kChangedByOther);
        EXPECT_EQ(shown(), std::vector<std::string>{c.message});
        EXPECT_EQ(cat.media().Media, "Disc");  // their version is in the buffer
        EXPECT_EQ(songsWhere([](const SongRecord& s) { return s.Media == "Disc"; }), 1u);

        // Watched again: saving now goes through, and the songs follow from "Disc".
        EXPECT_EQ(integrity.savedLinks().saved(F::Media), LinkValue{std::string("Disc")});
        cat.media().Media = "CD";
        EXPECT_EQ(integrity.RIUpdate(F::Media, c.flag), Integrity::kDone);
        EXPECT_EQ(songsWhere([](const SongRecord& s) { return s.Media == "CD"; }), 1u);
    }

    // A record the other station deleted has no version to show.
    forgetShown();
    cat.media().Media = "CD";
    load(F::Media);
    other.catalogue.media().Media = "CD";
    ASSERT_EQ(other.catalogue.file(F::Media).get(0), 0);
    ASSERT_EQ(other.catalogue.file(F::Media).erase(), 0);
    cat.media().Media = "Gone";
    EXPECT_EQ(integrity.RIUpdate(F::Media, 1), Integrity::kNotDone);
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[1].substr(0, 22), "Record Retrieval Error");
}

}  // namespace
}  // namespace cdz::test
