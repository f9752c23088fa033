// RIDelete: cascades, refusals that leave everything as it was, and the use of child files.
#include "tests/app/domain/integrity/IntegrityFixture.h"

namespace cdz::test {
namespace {

const char* kRefusedByPlaylist =
    "Referential Integrity Delete Error|This record is referenced from the file "
    "PlaylistDetails.  This record cannot be deleted while these references exist.";
const char* kRefusedBySongs =
    "Referential Integrity Delete Error|This record is referenced from the file Cadenzio.  "
    "This record cannot be deleted while these references exist.";

class DeleteTest : public IntegrityTest {};

TEST_F(DeleteTest, PlaylistTakesItsEntriesAndNothingElse) {
    useFiles({F::Cadenzio, F::PlaylistMaster});
    const int32_t song = addSong("one");
    const int32_t first = addPlaylist("first");
    const int32_t second = addPlaylist("second");
    ASSERT_EQ(cat.use(F::PlaylistDetails), 0);
    // Neighbouring playlist numbers on both sides: the walk must stop at the list's end.
    for (int i = 0; i < 5; ++i) addEntry(first, song);
    for (int i = 0; i < 3; ++i) addEntry(second, song);
    cat.release(F::PlaylistDetails);

    cat.playlist().PlaylistID = first;
    load(F::PlaylistMaster);
    EXPECT_EQ(integrity.RIDelete(F::PlaylistMaster), Integrity::kDone);
    EXPECT_TRUE(shown().empty());

    auto entries = all(F::PlaylistDetails, cat.playlistEntry());
    ASSERT_EQ(entries.size(), 3u);
    for (const auto& e : entries) EXPECT_EQ(e.PlaylistID, second);
    EXPECT_EQ(count(F::PlaylistMaster), 1u);
    EXPECT_EQ(count(F::Cadenzio), 1u);
    // The child file was opened for the procedure only.
    EXPECT_EQ(cat.useCount(F::PlaylistDetails), 0);
    EXPECT_FALSE(cat.file(F::PlaylistDetails).isOpen());
    EXPECT_FALSE(cat.database().inTransaction());
}

TEST_F(DeleteTest, PlaylistEntryAndRuleLessFilesTouchNothingElse) {
    useFiles({F::Cadenzio, F::PlaylistMaster, F::PlaylistDetails, F::Fonts, F::Labels});
    const int32_t song = addSong("one");
    const int32_t list = addPlaylist("list");
    addEntry(list, song);
    addEntry(list, song);
    cat.playlistEntry().PlaylistID = list;
    cat.playlistEntry().PlaylistSeq = Decimal<6, 0>::fromRaw(1);
    load(F::PlaylistDetails);
    EXPECT_EQ(integrity.RIDelete(F::PlaylistDetails), Integrity::kDone);
    EXPECT_EQ(count(F::PlaylistDetails), 1u);
    EXPECT_EQ(count(F::PlaylistMaster), 1u);
    EXPECT_EQ(count(F::Cadenzio), 1u);

    cat.font().TypeFace = "Serif";
    ASSERT_EQ(cat.file(F::Fonts).add(), 0);
    cat.label().AlbumID = 7;
    cat.label().CDSpineFontID = static_cast<int32_t>(cat.font().FontID.toInt());
    ASSERT_EQ(cat.file(F::Labels).add(), 0);
    // A font used by a label is not checked; the label stays.
    EXPECT_EQ(integrity.RIDelete(F::Fonts), Integrity::kDone);
    EXPECT_EQ(count(F::Fonts), 0u);
    EXPECT_EQ(count(F::Labels), 1u);
    EXPECT_TRUE(shown().empty());
}

TEST_F(DeleteTest, SongOnAPlaylistIsRefusedAndOthersGo) {
    useFiles({F::Cadenzio});
    const int32_t held = addSong("held");
    const int32_t free = addSong("free");
    const int32_t after = addSong("after");  // a held neighbour number must not count
    ASSERT_EQ(cat.use(F::PlaylistMaster), 0);
    ASSERT_EQ(cat.use(F::PlaylistDetails), 0);
    const int32_t list = addPlaylist("list");
    addEntry(list, held);
    addEntry(list, after);
    cat.release(F::PlaylistDetails);
    cat.release(F::PlaylistMaster);

    cat.song().ID = held;
    load(F::Cadenzio, SongRecord::KeyID);
    EXPECT_EQ(integrity.RIDelete(F::Cadenzio), Integrity::kNotDone);
    EXPECT_EQ(shown(), std::vector<std::string>{kRefusedByPlaylist});
    EXPECT_FALSE(cat.database().inTransaction());

    cat.song().ID = free;
    load(F::Cadenzio, SongRecord::KeyID);
    EXPECT_EQ(integrity.RIDelete(F::Cadenzio), Integrity::kDone);
    EXPECT_EQ(shown().size(), 1u);
    EXPECT_EQ(songsWhere([&](const SongRecord& s) { return s.ID == free; }), 0u);
    EXPECT_EQ(count(F::Cadenzio), 2u);
    EXPECT_EQ(count(F::PlaylistDetails), 2u);
}

TEST_F(DeleteTest, MediaInUseIsRefusedNamingTheSongsFile) {
    useFiles({F::Media, F::Album});
    struct Case {
        const char* media;     // the media name deleted
        const char* songUses;  // a song's media name ("" for no song)
        bool refused;
    } cases[] = {
        {"CD", "CD", true},
        {"DAT", "dat", true},  // the key compares media names without regard
                               // to case
        {"MD", "MD-R", false},
        {"Cassette", "", false},
        {"Vinyl", "Zither", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.media) + " / " + c.songUses);
        addMedia(c.media);
        addAlbum(std::string("album ") + c.media, c.media);  // albums are not checked
        int32_t song = 0;
        if (*c.songUses) {
            ASSERT_EQ(cat.use(F::Cadenzio), 0);
            song = addSong("uses", 0, 0, c.songUses);
            cat.release(F::Cadenzio);
        }
        forgetShown();
        cat.media().Media = c.media;
        load(F::Media);
        EXPECT_EQ(integrity.RIDelete(F::Media), c.refused ? Integrity::kNotDone : Integrity::kDone);
        EXPECT_EQ(shown(), c.refused ? std::vector<std::string>{kRefusedBySongs}
                                     : std::vector<std::string>{});
        cat.media().Media = c.media;
        EXPECT_EQ(cat.file(F::Media).get(0), c.refused ? 0 : err::kRecordNotFound);
        EXPECT_EQ(cat.useCount(F::Cadenzio), 0);
        if (song != 0) {
            ASSERT_EQ(cat.use(F::Cadenzio), 0);
            cat.song().ID = song;
            ASSERT_EQ(cat.file(F::Cadenzio).get(SongRecord::KeyID), 0);
            ASSERT_EQ(cat.file(F::Cadenzio).erase(), 0);
            cat.release(F::Cadenzio);
        }
    }
}

TEST_F(DeleteTest, CategoryTakesItsSongsOnly) {
    useFiles({F::Categories, F::Cadenzio});
    const int64_t before = addCategory("before");
    const int64_t doomed = addCategory("doomed");
    const int64_t after = addCategory("after");
    for (int i = 0; i < 40; ++i) {
        addSong("song " + std::to_string(i), static_cast<int32_t>(i % 2 ? doomed : before));
        addSong("other " + std::to_string(i), static_cast<int32_t>(after));
        addSong("none " + std::to_string(i), 0);
    }
    cat.category().CategoryID = Decimal<6, 0>::fromRaw(doomed);
    load(F::Categories);
    EXPECT_EQ(integrity.RIDelete(F::Categories), Integrity::kDone);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(songsWhere([&](const SongRecord& s) { return s.CategoryID == doomed; }), 0u);
    EXPECT_EQ(count(F::Cadenzio), 100u);
    EXPECT_EQ(count(F::Categories), 2u);
}

TEST_F(DeleteTest, ASongOnAPlaylistBlocksTheWholeCategoryOrAlbum) {
    useFiles({F::Categories, F::Album, F::Cadenzio});
    const int64_t category = addCategory("rock");
    const int32_t album = addAlbum("live");
    std::vector<int32_t> ids;
    for (int i = 0; i < 30; ++i) {
        ids.push_back(
            addSong("song " + std::to_string(i), static_cast<int32_t>(category), album, "", i));
    }
    ASSERT_EQ(cat.use(F::PlaylistMaster), 0);
    ASSERT_EQ(cat.use(F::PlaylistDetails), 0);
    addEntry(addPlaylist("list"), ids[17]);  // late in both walks: earlier songs were deleted
    cat.release(F::PlaylistDetails);
    cat.release(F::PlaylistMaster);

    for (F parent : {F::Categories, F::Album}) {
        SCOPED_TRACE(cat.file(parent).decl().label());
        forgetShown();
        if (parent == F::Categories) {
            cat.category().CategoryID = Decimal<6, 0>::fromRaw(category);
        } else {
            cat.album().AlbumID = album;
        }
        load(parent);
        EXPECT_EQ(integrity.RIDelete(parent), Integrity::kNotDone);
        EXPECT_EQ(shown(), std::vector<std::string>{kRefusedByPlaylist});
        EXPECT_EQ(count(F::Cadenzio), 30u);
        EXPECT_EQ(count(parent), 1u);
        EXPECT_EQ(count(F::PlaylistDetails), 1u);
        EXPECT_FALSE(cat.database().inTransaction());
        EXPECT_EQ(cat.useCount(F::PlaylistDetails), 0);
    }
}

TEST_F(DeleteTest, AlbumTakesItsSongsButNotLabelsOrOtherSongsEntries) {
    useFiles({F::Album, F::Cadenzio, F::Labels});
    const int32_t album = addAlbum("doomed");
    const int32_t kept = addAlbum("kept");
    for (int track = 0; track < 25; ++track) addSong("t", 0, album, "", 24 - track);
    const int32_t other = addSong("other", 0, kept);
    addSong("loose", 0, 0);
    cat.label().AlbumID = album;
    ASSERT_EQ(cat.file(F::Labels).add(), 0);
    ASSERT_EQ(cat.use(F::PlaylistMaster), 0);
    ASSERT_EQ(cat.use(F::PlaylistDetails), 0);
    addEntry(addPlaylist("list"), other);
    cat.release(F::PlaylistDetails);
    cat.release(F::PlaylistMaster);

    cat.album().AlbumID = album;
    load(F::Album);
    EXPECT_EQ(integrity.RIDelete(F::Album), Integrity::kDone);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(count(F::Cadenzio), 2u);
    EXPECT_EQ(count(F::Album), 1u);
    EXPECT_EQ(count(F::Labels), 1u);
    EXPECT_EQ(count(F::PlaylistDetails), 1u);
}

// Number 0 means "none": a parent record that somehow carries it must not take every song
// that is on no album or in no category.
TEST_F(DeleteTest, ParentNumberedZeroTakesNoSongs) {
    useFiles({F::Album, F::Categories, F::Cadenzio});
    addSong("loose", 0, 0);
    addSong("loose too", 0, 0);
    cat.album().AlbumID = 0;
    cat.album().Album = "zero";
    ASSERT_EQ(cat.file(F::Album).add(), 0);  // numbered on add; force 0 with a put
    cat.album().AlbumID = 0;
    ASSERT_EQ(cat.file(F::Album).put(), 0);
    EXPECT_EQ(integrity.RIDelete(F::Album), Integrity::kDone);
    EXPECT_EQ(count(F::Cadenzio), 2u);
    EXPECT_EQ(count(F::Album), 0u);
}

TEST_F(DeleteTest, RecordGoneBeforeTheDeleteIsReportedNotDone) {
    useFiles({F::Album, F::Cadenzio});
    const int32_t album = addAlbum("gone");
    addSong("song", 0, album);
    cat.album().AlbumID = album;
    load(F::Album);
    {
        Station other(dir.path());
        ASSERT_EQ(other.catalogue.use(F::Album), 0);
        other.catalogue.album().AlbumID = album;
        ASSERT_EQ(other.catalogue.file(F::Album).get(0), 0);
        ASSERT_EQ(other.catalogue.file(F::Album).erase(), 0);
    }
    EXPECT_EQ(integrity.RIDelete(F::Album), Integrity::kNotDone);
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "Record Retrieval Error|Error: (Record Not Found (35)) attempting to "
                           "access a record from the Album file.  Returning to previous window."});
    EXPECT_EQ(count(F::Cadenzio), 1u);
}

TEST_F(DeleteTest, TransactionThatCannotBeginChangesNothing) {
    useFiles({F::Cadenzio, F::PlaylistDetails});
    addSong("song");
    ASSERT_EQ(cat.database().begin({}, 100), 0);  // a transaction already open
    EXPECT_EQ(integrity.RIDelete(F::Cadenzio), Integrity::kNotDone);
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "Transaction Framing Error|Error: (Transaction Already Active (56)) "
                           "attempting to frame the delete transaction on Cadenzio.  Delete "
                           "transaction cancelled."});
    EXPECT_EQ(count(F::Cadenzio), 1u);
}

TEST_F(DeleteTest, FilesWithoutProceduresAreRefused) {
    useFiles({F::OldCadenzio});
    cat.oldSong().Title = "old";
    ASSERT_EQ(cat.file(F::OldCadenzio).add(), 0);
    EXPECT_EQ(integrity.RIDelete(F::OldCadenzio), Integrity::kNotDone);
    EXPECT_EQ(integrity.RIUpdate(F::OldCadenzio, 1), Integrity::kNotDone);
    EXPECT_EQ(count(F::OldCadenzio), 1u);
    EXPECT_EQ(shown().size(), 2u);
}

}  // namespace
}  // namespace cdz::test
