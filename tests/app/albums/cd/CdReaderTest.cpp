// The CD reader over disc images and a scripted drive, writing into a catalogue in a temporary
// folder.
#include <gtest/gtest.h>

#include <memory>
#include <numeric>

#include "app/albums/cd/CdReader.h"
#include "app/albums/cd/CdTime.h"
#include "app/engine/state/AppState.h"
#include "runtime/cd/CdioDevice.h"
#include "runtime/cd/ScriptedCdDevice.h"
#include "runtime/text/DateTime.h"
#include "runtime/ui/ScriptedDialogs.h"
#include "tests/runtime/cd/DiscImage.h"
#include "tests/support/ShellCommand.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

using F = CatalogueFile;
using test::msf;

class CdReaderTest : public ::testing::Test {
protected:
    CdReaderTest() {
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        state =
            std::make_unique<AppState>(dir.path(), std::move(scripted), [](std::string_view) {});
    }

    Catalogue& cat() { return state->catalogue(); }

    void setAlbum(int32_t id, std::string_view artist = "Nadia Korr") {
        AlbumRecord& a = cat().album();
        a = AlbumRecord{};
        a.AlbumID = id;
        a.Artist = artist;
        a.Album = "Lanterns";
        a.Media = "CD";
        a.FileNumber = "B-114";
        a.ReleaseDate = 72000;
        a.CategoryID = Decimal<6, 0>::fromRaw(12);
        a.CDIdentifier = "old identifier";
    }

    int32_t addSong(int32_t albumID, int track, std::string_view title, int32_t time) {
        EXPECT_EQ(cat().use(F::Cadenzio), 0);
        cat().file(F::Cadenzio).clearBuffer();
        SongRecord& s = cat().song();
        s.AlbumID = albumID;
        s.TrackNumber = static_cast<uint8_t>(track);
        s.Title = title;
        s.Artist = "Someone Else";
        s.Time = time;
        EXPECT_EQ(cat().file(F::Cadenzio).add(), 0);
        const int32_t id = s.ID;
        cat().release(F::Cadenzio);
        return id;
    }

    template <class Rec>
    std::vector<Rec> all(F file, Rec& buffer, int key = kRecordOrder) {
        std::vector<Rec> out;
        EXPECT_EQ(cat().use(file), 0);
        DataFile& f = cat().file(file);
        EXPECT_EQ(f.set(key), 0);
        while (f.next() == 0) out.push_back(buffer);
        cat().release(file);
        return out;
    }
    std::vector<SongRecord> songs() { return all(F::Cadenzio, cat().song(), SongRecord::KeyID); }

    // A reader over a scripted drive whose disc has tracks of the given lengths and CD-Text.
    CdReader scripted(std::vector<int32_t> frames, CdText text = {}) {
        ScriptedCdDevice::Script script;
        script.contents.discFrames = std::accumulate(frames.begin(), frames.end(), 0);
        script.contents.trackFrames = std::move(frames);
        script.contents.text = std::move(text);
        return CdReader(*state, std::make_unique<ScriptedCdDevice>(script));
    }

    test::TempDir dir;
    ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<AppState> state;
};

// Real-looking tables of contents.
const std::vector<int32_t> kNineTracks{msf(4, 12, 33), msf(3, 48, 2),  msf(5, 1, 70),
                                       msf(2, 59, 74), msf(6, 30, 15), msf(4, 4, 4),
                                       msf(3, 33, 33), msf(7, 45, 60), msf(5, 20, 1)};

std::vector<int32_t> manyTracks(int count) {
    std::vector<int32_t> tracks;
    for (int i = 0; i < count; ++i) tracks.push_back(msf(0, 25 + i % 30, i % 75));
    return tracks;
}

int32_t timeOf(int32_t frames) {
    return MsfToTime(cdFramesToMsf(frames));
}

TEST_F(CdReaderTest, ReadsDiscImagesIntoTheAlbumsSongs) {
    const struct {
        const char* name;
        std::vector<int32_t> tracks;
    } discs[] = {
        {"single", {msf(3, 58, 12)}},
        {"twotracks", {msf(4, 1, 0), msf(12, 30, 40)}},
        {"ninetracks", kNineTracks},
        {"ninetynine", manyTracks(99)},
        // 82 minutes: a long disc is long, its lengths are not taken for "to the end" ones.
        {"long", {msf(38, 10, 5), msf(30, 0, 0), msf(13, 50, 70)}},
    };
    int32_t albumID = 0;
    for (const auto& disc : discs) {
        SCOPED_TRACE(disc.name);
        setAlbum(++albumID);
        CdReader reader(*state, std::make_unique<CdioDevice>(
                                    test::writeDiscImage(dir.path(), disc.name, disc.tracks)));
        ASSERT_TRUE(reader.read(CdReader::Mode::AlbumUpdate));
        const int count = static_cast<int>(disc.tracks.size());
        EXPECT_EQ(reader.trackCount(), count);
        std::vector<int32_t> expected;
        for (int32_t frames : disc.tracks) expected.push_back(timeOf(frames));
        EXPECT_EQ(reader.trackLengths(), expected);
        EXPECT_EQ(reader.recordsWritten(), count);
        const std::string id(clip(cat().album().CDIdentifier.view()));
        char prefix[4];
        std::snprintf(prefix, sizeof prefix, "%2d", count);
        EXPECT_EQ(id.substr(0, 2), prefix);
        EXPECT_LE(id.size(), 24u);
        const int32_t discFrames = std::accumulate(disc.tracks.begin(), disc.tracks.end(), 0);
        std::string built = prefix + std::to_string(timeOf(discFrames));
        for (size_t i = 0; i < 3 && i < expected.size(); ++i) built += std::to_string(expected[i]);
        EXPECT_EQ(id, built.substr(0, 24));
        int onAlbum = 0;
        for (const SongRecord& s : songs()) onAlbum += s.AlbumID == albumID ? 1 : 0;
        EXPECT_EQ(onAlbum, count);
    }
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(CdReaderTest, ExistingTracksGetTheirTimesAndMissingOnesBecomeSongs) {
    const int32_t other = addSong(9, 1, "Elsewhere", kTimeZero);
    for (int track = 1; track <= 5; ++track) {
        // Track 2 already has the disc's length: nothing to write for it.
        const int32_t time = track == 2 ? timeOf(kNineTracks[1]) : kTimeZero;
        addSong(4, track, "Song " + std::to_string(track), time);
    }
    setAlbum(4);
    CdReader reader = scripted(kNineTracks);
    ASSERT_TRUE(reader.read(CdReader::Mode::AlbumUpdate));
    EXPECT_EQ(reader.recordsWritten(), 8);  // four times rewritten, four songs added

    int32_t nextID = other + 6;
    for (const SongRecord& s : songs()) {
        if (s.AlbumID != 4) continue;
        const int track = s.TrackNumber;
        SCOPED_TRACE(track);
        EXPECT_EQ(s.Time, timeOf(kNineTracks[static_cast<size_t>(track - 1)]));
        if (track <= 5) {
            EXPECT_EQ(clip(s.Title.view()), "Song " + std::to_string(track));
            EXPECT_EQ(clip(s.Artist.view()), "Someone Else");
            continue;
        }
        EXPECT_EQ(s.ID, nextID++);
        EXPECT_EQ(clip(s.Title.view()), "Track " + std::to_string(track));
        EXPECT_EQ(clip(s.Artist.view()), "Nadia Korr");
        EXPECT_EQ(clip(s.Album.view()), "Lanterns");
        EXPECT_EQ(clip(s.Media.view()), "CD");
        EXPECT_EQ(clip(s.FileNumber.view()), "B-114");
        EXPECT_EQ(s.ReleaseDate, 72000);
        EXPECT_EQ(s.CategoryID, 12);
    }
    EXPECT_EQ(nextID, other + 10);
    EXPECT_EQ(cat().useCount(F::Cadenzio), 0);
}

TEST_F(CdReaderTest, ASongThatCannotBeWrittenLeavesEverySongAsItWas) {
    for (int track = 1; track <= 5; ++track) addSong(4, track, "Song", kTimeZero);
    // The file refuses the seventh track, after five rewrites and one add.
    const auto shell = test::runSqliteShell(
        dir.path() / "cdzdata.tps",
        "CREATE TRIGGER refuse BEFORE INSERT ON Cadenzio WHEN NEW.TrackNumber = 7 "
        "BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
    ASSERT_TRUE(shell.ran && shell.exitCode == 0) << shell.err;
    setAlbum(4);
    CdReader reader = scripted(kNineTracks);
    EXPECT_FALSE(reader.read(CdReader::Mode::AlbumUpdate));
    EXPECT_EQ(reader.recordsWritten(), 0);
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].title, "Error");
    EXPECT_TRUE(
        dialogs->shown()[0].text.starts_with("The songs of the album could not be "
                                             "written ("))
        << dialogs->shown()[0].text;
    EXPECT_TRUE(dialogs->shown()[0].text.ends_with("). No song was changed."));
    const auto after = songs();
    ASSERT_EQ(after.size(), 5u);
    for (const SongRecord& s : after) EXPECT_EQ(s.Time, kTimeZero);
    EXPECT_EQ(cat().useCount(F::Cadenzio), 0);
    EXPECT_FALSE(cat().database().inTransaction());
}

TEST_F(CdReaderTest, AnAlbumNotYetNumberedGetsOnlyItsIdentifier) {
    setAlbum(0);
    CdReader reader = scripted({msf(3, 0), msf(4, 0)});
    EXPECT_TRUE(reader.read(CdReader::Mode::AlbumUpdate));
    EXPECT_EQ(reader.recordsWritten(), 0);
    EXPECT_TRUE(songs().empty());
    EXPECT_EQ(clip(cat().album().CDIdentifier.view()).substr(0, 2), " 2");
}

TEST_F(CdReaderTest, EachRefusalOfTheDriveIsToldAndTheDriveLeftClosed) {
    using enum CdFault;
    const struct {
        CdFault open, status, contents;
        const char* text;
    } cases[] = {
        {NotAvailable, None, None, "CD player not available."},
        {None, NotReady, None, "CD player not ready."},
        {None, DoorOpen, None, "CD player door open."},
        {None, None, NotReady, "CD player not ready."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        setAlbum(3);
        ScriptedCdDevice::Script script;
        script.openFault = c.open;
        script.statusFault = c.status;
        script.contentsFault = c.contents;
        script.contents.trackFrames = {msf(3, 0)};
        auto device = std::make_unique<ScriptedCdDevice>(script);
        ScriptedCdDevice* drive = device.get();
        CdReader reader(*state, std::move(device));
        const size_t before = dialogs->shown().size();
        EXPECT_FALSE(reader.read(CdReader::Mode::AlbumUpdate));
        ASSERT_EQ(dialogs->shown().size(), before + 1);
        EXPECT_EQ(dialogs->shown().back().title, "Error");
        EXPECT_EQ(dialogs->shown().back().text, c.text);
        EXPECT_FALSE(drive->isOpen());
        EXPECT_EQ(drive->opens(), drive->closes());
        EXPECT_EQ(reader.trackCount(), 0);
        EXPECT_EQ(clip(cat().album().CDIdentifier.view()), "old identifier");
        EXPECT_EQ(clip(cat().album().Album.view()), "Lanterns");
    }
    EXPECT_TRUE(songs().empty());
}

TEST_F(CdReaderTest, TheWorkFileGetsOneRecordPerTrackAndKeepsWhatTheWizardTyped) {
    ASSERT_EQ(cat().use(F::AddWizard), 0);
    DataFile& work = cat().file(F::AddWizard);
    AddWizardRecord& aw = cat().addWizard();
    for (int instance : {3, 8}) {
        work.clearBuffer();
        aw.Instance = instance;
        aw.Track = 2;
        aw.Artist = "Typed Artist";
        aw.Title = "Intro";
        ASSERT_EQ(work.add(), 0);
    }
    cat().release(F::AddWizard);
    setAlbum(0, "");  // a blank album artist: a compilation
    CdReader reader = scripted({msf(1, 0), msf(2, 0), msf(3, 0)});
    ASSERT_TRUE(reader.read(CdReader::Mode::WorkFile, 3));
    EXPECT_EQ(reader.recordsWritten(), 3);

    const auto rows = all(F::AddWizard, aw, AddWizardRecord::KeyInstance);
    ASSERT_EQ(rows.size(), 4u);
    for (const AddWizardRecord& r : rows) {
        const int track = static_cast<int>(r.Track.toInt());
        SCOPED_TRACE(track);
        if (r.Instance.toInt() == 8) {
            EXPECT_EQ(r.Time, 0);  // another wizard's list is not touched
            continue;
        }
        EXPECT_EQ(r.Time, timeFromHms(0, track, 0));
        EXPECT_EQ(clip(r.Artist.view()), track == 2 ? "Typed Artist" : "Various");
        EXPECT_EQ(clip(r.Title.view()), track == 2 ? "Intro" : "Track " + std::to_string(track));
    }
}

TEST_F(CdReaderTest, CdTextNamesTheNewTracksAndLeavesTheIdentifierAlone) {
    const std::vector<int32_t> frames{msf(1, 0), msf(2, 0), msf(3, 0)};
    const CdText text{
        "Lanterns", "Nadia Korr", {"Blue Hour", "", "Tidewater"}, {"", "Guest Singer", ""}};
    const std::vector<std::string> titles{"Blue Hour", "Track 2", "Tidewater"};
    const struct {
        const char* name;
        CdReader::Mode mode;
        const char* albumArtist;
        std::vector<std::string> artists;
    } cases[] = {
        {"wizard, no artist typed",
         CdReader::Mode::WorkFile,
         "",
         {"Nadia Korr", "Guest Singer", "Nadia Korr"}},
        {"wizard, artist typed",
         CdReader::Mode::WorkFile,
         "Typed",
         {"Typed", "Guest Singer", "Typed"}},
        {"album form",
         CdReader::Mode::AlbumUpdate,
         "Album Artist",
         {"Album Artist", "Guest Singer", "Album Artist"}},
    };
    CdReader plain = scripted(frames);
    setAlbum(0);
    ASSERT_TRUE(plain.read(CdReader::Mode::IdentifierOnly));
    const std::string identifier(cat().album().CDIdentifier.view());
    int32_t albumID = 40;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool wizard = c.mode == CdReader::Mode::WorkFile;
        ++albumID;  // the wizard's run tag, or the album's number
        setAlbum(wizard ? 0 : albumID, c.albumArtist);
        CdReader reader = scripted(frames, text);
        ASSERT_TRUE(reader.read(c.mode, albumID));
        EXPECT_EQ(std::string(cat().album().CDIdentifier.view()), identifier);
        std::vector<std::string> gotTitles, gotArtists;
        if (wizard) {
            for (const AddWizardRecord& r : all(F::AddWizard, cat().addWizard())) {
                if (r.Instance.toInt() != albumID) continue;
                gotTitles.emplace_back(clip(r.Title.view()));
                gotArtists.emplace_back(clip(r.Artist.view()));
            }
        } else {
            for (const SongRecord& s : songs()) {
                if (s.AlbumID != albumID) continue;
                gotTitles.emplace_back(clip(s.Title.view()));
                gotArtists.emplace_back(clip(s.Artist.view()));
            }
        }
        EXPECT_EQ(gotTitles, titles);
        EXPECT_EQ(gotArtists, c.artists);
    }
}

}  // namespace
}  // namespace cdz
