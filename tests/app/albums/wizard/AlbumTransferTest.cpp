// The wizard's transfer: the album, one song per track and the run's work records, all in one
// transaction.
#include "app/albums/cd/CdReader.h"
#include "app/albums/wizard/AlbumTransfer.h"
#include "runtime/cd/CdioDevice.h"
#include "tests/app/albums/wizard/WizardFixture.h"
#include "tests/runtime/cd/DiscImage.h"
#include "tests/support/ShellCommand.h"

namespace cdz::test {
namespace {

SongRecord generalPage(std::string_view artist, std::string_view album) {
    SongRecord s;
    s.Artist = artist;
    s.Album = album;
    s.Media = "CD";
    s.FileNumber = "F-7";
    s.ReleaseDate = 80000;
    s.CategoryID = 3;
    s.Notes = "liner notes";
    return s;
}

struct Song {
    int track;
    std::string title;
    std::string artist;
    int32_t time;
    std::string minSec;
    int32_t album;
    bool operator==(const Song&) const = default;
};

std::vector<Song> brief(const std::vector<SongRecord>& songs) {
    std::vector<Song> out;
    for (const SongRecord& s : songs) {
        out.push_back({s.TrackNumber, s.Title.str(), s.Artist.str(), s.Time,
                       s.AdditionalInformation1.str(), s.AlbumID});
    }
    return out;
}

TEST_F(WizardTest, SingleArtistAlbumWritesTheAlbumAndOneSongPerTrack) {
    RunTag other = startRun(3, {{"", "not mine", minSec(1, 0)}});
    RunTag tag = startRun(2, {{"", "Opening", minSec(3, 25)}, {"", "", 0}, {"", "Coda", 0}});
    const AlbumTransfer::Outcome out =
        AlbumTransfer(state(), tag.tag(), false, true).run(generalPage("Nadia Korr", "Lanterns"));
    ASSERT_EQ(out.code, 0) << state().error().text;
    ASSERT_EQ(albums().size(), 1u);
    const AlbumRecord a = albums().front();
    EXPECT_EQ(out.albumID, a.AlbumID);
    EXPECT_EQ(a.Artist, "Nadia Korr");
    EXPECT_EQ(a.Album, "Lanterns");
    EXPECT_EQ(a.FileNumber, "F-7");
    EXPECT_EQ(a.ReleaseDate, 80000);
    EXPECT_EQ(a.CategoryID.toInt(), 3);
    EXPECT_EQ(a.Notes, "liner notes");
    EXPECT_TRUE(a.CDIdentifier.empty());
    // A blank title becomes "Track n"; a track without a time keeps none.
    const int32_t id = a.AlbumID;
    EXPECT_EQ(brief(songs()), (std::vector<Song>{
                                  {1, "Opening", "Nadia Korr", minSec(3, 25), "03:25", id},
                                  {2, "Track 2", "Nadia Korr", 0, "", id},
                                  {3, "Coda", "Nadia Korr", 0, "", id},
                              }));
    const std::vector<SongRecord> written = songs();
    EXPECT_EQ(written[1].ID, written[0].ID + 1);
    EXPECT_EQ(written[2].FileNumber, "F-7");
    EXPECT_TRUE(TrackList(state(), tag.tag()).read().empty());
    EXPECT_EQ(TrackList(state(), other.tag()).read().size(), 1u);
    EXPECT_EQ(workRecords(), 2u);  // the other run's marker and track
    EXPECT_TRUE(fx.dialogs->shown().empty());
}

TEST_F(WizardTest, CompilationSongsKeepTheirArtistsUnderWhicheverAlbumTheyJoin) {
    struct Case {
        const char* name;
        bool addAlbum;
        bool albumFiled;  // "Hits" by "Various" is in the album file beforehand
        size_t albums;
        bool onFiledAlbum;  // else on a new album, or on 0 when none was added
        std::string told;
    };
    const std::vector<Case> cases = {
        {"box set", true, false, 1, false, ""},
        {"box cleared, no album", false, false, 0, false, ""},
        {"box cleared, album filed", false, true, 1, true, ""},
        {"album add fails", true, true, 1, true,
         "Error adding album information Creates Duplicate Key|An album with this title and "
         "artist is already filed; the songs were put on it."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clearFiles();
        const size_t shownBefore = fx.dialogs->shown().size();
        const int32_t filed = c.albumFiled ? addAlbum("Hits", "Various") : 0;
        RunTag tag = startRun(2, {{"Ana", "One", minSec(2, 0)}, {"Bo", "Two", minSec(4, 5)}});
        const AlbumTransfer::Outcome out =
            AlbumTransfer(state(), tag.tag(), true, c.addAlbum).run(generalPage("Ana", "Hits"));
        ASSERT_EQ(out.code, 0) << state().error().text;
        const std::vector<AlbumRecord> all = albums();
        ASSERT_EQ(all.size(), c.albums);
        const int32_t album = c.onFiledAlbum ? filed : (c.albums ? all.front().AlbumID : 0);
        if (c.albums) {
            EXPECT_EQ(all.front().Artist, "Various");
        }
        EXPECT_EQ(out.albumID, album);
        EXPECT_EQ(brief(songs()),
                  (std::vector<Song>{{1, "One", "Ana", minSec(2, 0), "02:00", album},
                                     {2, "Two", "Bo", minSec(4, 5), "04:05", album}}));
        EXPECT_EQ(fx.dialogs->shown().size() > shownBefore ? fx.lastMessage() : "", c.told);
        EXPECT_EQ(workRecords(), 0u);
    }
}

// A song that cannot be written undoes the album and the songs before it; the tracks stay.
TEST_F(WizardTest, FailedSongLeavesNothingWrittenAndTheTracksKept) {
    RunTag tag = startRun(2, {{"", "a", 0}, {"", "b", 0}});
    ASSERT_EQ(cat().use(F::Cadenzio), 0);  // made, then left to the shell
    cat().release(F::Cadenzio);
    const ShellResult shell =
        runSqliteShell(cat().file(F::Cadenzio).path(),
                       "CREATE TRIGGER refuse BEFORE INSERT ON Cadenzio WHEN NEW.Title = 'b' "
                       "BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
    ASSERT_TRUE(shell.ran && shell.exitCode == 0) << shell.err;
    const AlbumTransfer::Outcome out =
        AlbumTransfer(state(), tag.tag(), false, true).run(generalPage("X", "Y"));
    EXPECT_NE(out.code, 0);
    EXPECT_TRUE(albums().empty());
    EXPECT_TRUE(songs().empty());
    EXPECT_EQ(TrackList(state(), tag.tag()).read().size(), 2u);
    ASSERT_EQ(fx.dialogs->shown().size(), 1u);
    EXPECT_EQ(fx.dialogs->shown()[0].title, "Error!");
    EXPECT_EQ(fx.lastMessage().rfind("Error adding to music database from Wizard:  ", 0), 0u);
}

TEST_F(WizardTest, NinetyNineTrackDiscBecomesAnAlbumOfNinetyNineSongs) {
    std::vector<int32_t> frames;
    for (int i = 0; i < 99; ++i) frames.push_back(msf(0, 30 + i % 7, i % 75));
    const auto cue = writeDiscImage(fx.dir.path(), "disc", frames);
    RunTag tag = startRun(2, {});
    cat().album().Artist = "";  // a compilation's tracks read as by "Various"
    CdReader reader(state(), std::make_unique<CdioDevice>(cue.string()));
    ASSERT_TRUE(reader.read(CdReader::Mode::WorkFile, tag.tag())) << fx.lastMessage();
    const std::vector<WizardTrack> tracks = TrackList(state(), tag.tag()).read();
    ASSERT_EQ(tracks.size(), 99u);
    EXPECT_EQ(tracks[98].title, "Track 99");
    EXPECT_EQ(tracks[98].artist, "Various");
    ASSERT_EQ(AlbumTransfer(state(), tag.tag(), true, true).run(generalPage("", "Long")).code, 0);
    const std::vector<SongRecord> written = songs();
    ASSERT_EQ(written.size(), 99u);
    for (int i = 0; i < 99; ++i) {
        EXPECT_EQ(written[static_cast<size_t>(i)].TrackNumber, i + 1);
        EXPECT_EQ(written[static_cast<size_t>(i)].Time, minSec(0, 30 + i % 7));
    }
    EXPECT_EQ(workRecords(), 0u);
}

}  // namespace
}  // namespace cdz::test
