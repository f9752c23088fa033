// What the frame does with the data files as it opens and closes: the seeded media list, the
// conversion of the previous generation's songs, and the runtime stop.
#include <set>

#include "app/domain/opening/MediaSeed.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/filemgr/OldDataConversionWindow.h"
#include "app/shell/frame/MainFrame.h"
#include "tests/app/shell/startup/StartupFixture.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

class FrameStartTest : public StartupFixture {
protected:
    std::vector<std::string> mediaNames() {
        std::vector<std::string> names;
        FileUse use(catalogue(), {F::Media});
        EXPECT_TRUE(use.ok());
        DataFile& media = catalogue().file(F::Media);
        media.set();  // record order: the order they were added in
        while (media.next() == 0) names.push_back(catalogue().media().Media.str());
        return names;
    }

    // Opens and closes a frame as one start of the program does.
    void startAndClose() {
        MainFrame frame(*state);
        frame.open();
        EXPECT_EQ(catalogue().useCount(F::Album), 1);
        EXPECT_EQ(catalogue().useCount(F::Media), 1);
        EXPECT_EQ(catalogue().useCount(F::Cadenzio), 1);
        settle();
        frame.close();
        settle();
        for (F f : {F::Album, F::Media, F::Cadenzio}) {
            EXPECT_EQ(catalogue().useCount(f), 0);
            EXPECT_FALSE(catalogue().file(f).isOpen());
        }
    }

    void storeOldSongs(int count) {
        FileUse use(catalogue(), {F::OldCadenzio});
        ASSERT_TRUE(use.ok());
        OldSongRecord& old = catalogue().oldSong();
        for (int i = 0; i < count; ++i) {
            catalogue().file(F::OldCadenzio).clearBuffer();
            old.Artist = "Artist number " + std::to_string(i) + " with a name of thirty+";
            old.Title = "Title " + std::to_string(i);
            old.Album = "Album";
            old.Media = "LP";
            old.FileNumber = "F-" + std::to_string(i) + "-0123456789";
            old.ReleaseDate = 1975 + i;
            old.Notes = "notes " + std::to_string(i);
            ASSERT_EQ(catalogue().file(F::OldCadenzio).add(), 0);
        }
    }
};

TEST_F(FrameStartTest, AFirstStartSeedsTheTwelveMediaNamesAndALaterStartNone) {
    startAndClose();
    const std::vector<std::string> expected = {
        "CD",
        "LP",
        "EP",
        "7\" Single",
        "CD Single",
        "Cassette (Dolby B)",
        "Cassette (Dolby C)",
        "Cassette (Dolby S)",
        "Cassette (DBX)",
        "Cassette (HX Pro)",
        "Cassette (Prerecorde",  // the field's 20 characters
        "Other",
    };
    EXPECT_EQ(mediaNames(), expected);
    makeState();
    startAndClose();
    EXPECT_EQ(mediaNames(), expected);
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(marker(), "");
}

TEST_F(FrameStartTest, AMediaListWithRecordsIsLeftAsItIs) {
    {
        FileUse use(catalogue(), {F::Media});
        catalogue().media().Media = "Shellac";
        ASSERT_EQ(catalogue().file(F::Media).add(), 0);
        EXPECT_EQ(MediaSeed::seedIfEmpty(catalogue().file(F::Media), catalogue().media()), 0);
    }
    startAndClose();
    EXPECT_EQ(mediaNames(), std::vector<std::string>{"Shellac"});
}

TEST_F(FrameStartTest, ASeedingThatFailsHalfwayLeavesNoNameForTheNextStartToMiss) {
    {
        FileUse use(catalogue(), {F::Media});
        ASSERT_TRUE(use.ok());
    }
    // The fifth name cannot be stored, as a full disk or a kill would stop it.
    execOn(dir.path() / "cdzmedia.tps",
           "CREATE TRIGGER refuse_fifth BEFORE INSERT ON Media WHEN NEW.Media = 'CD Single' "
           "BEGIN SELECT RAISE(ABORT, 'no room'); END");
    {
        FileUse use(catalogue(), {F::Media});
        EXPECT_NE(MediaSeed::seedIfEmpty(catalogue().file(F::Media), catalogue().media()), 0);
    }
    EXPECT_TRUE(mediaNames().empty());
    execOn(dir.path() / "cdzmedia.tps", "DROP TRIGGER refuse_fifth");
    startAndClose();
    EXPECT_EQ(mediaNames().size(), 12u);
}

TEST_F(FrameStartTest, OldSongsBecomeSongsAndTheOldFileEmpties) {
    storeOldSongs(60);  // more than one batch
    {
        auto* window = dynamic_cast<OldDataConversionWindow*>(
            OldDataConversionWindow::create(*state, nullptr));
        ASSERT_NE(window, nullptr);
        window->runToEnd();
        EXPECT_EQ(window->converter().converted(), 60);
        EXPECT_EQ(window->converter().percent(), 100);
        delete window;
    }
    EXPECT_EQ(catalogue().useCount(F::OldCadenzio), 0);
    EXPECT_EQ(catalogue().useCount(F::Cadenzio), 0);

    FileUse use(catalogue(), {F::Cadenzio, F::OldCadenzio});
    EXPECT_EQ(catalogue().file(F::OldCadenzio).records(), 0);
    DataFile& songs = catalogue().file(F::Cadenzio);
    EXPECT_EQ(songs.records(), 60);
    std::set<int32_t> ids;
    const SongRecord& s = catalogue().song();
    songs.set(songs.keyIndex("KeyID"));
    while (songs.next() == 0) {
        ids.insert(s.ID);
        const std::string n = s.Title.str().substr(6);
        // Old fields keep their left part; the song's longer fields add nothing.
        EXPECT_EQ(s.Artist.str(), ("Artist number " + n + " with a name of thirty+").substr(0, 30));
        EXPECT_EQ(s.Album.str(), "Album");
        EXPECT_EQ(s.Media.str(), "LP");
        EXPECT_EQ(s.FileNumber.str(), ("F-" + n + "-0123456789").substr(0, 10));
        EXPECT_EQ(s.ReleaseDate, 1975 + std::stoi(n));
        EXPECT_EQ(s.Notes, "notes " + n);
        EXPECT_EQ(s.CategoryID, 0);
        EXPECT_EQ(s.Side.str(), "");
    }
    EXPECT_EQ(ids.size(), 60u);  // each song numbered
    EXPECT_EQ(ids.count(0), 0u);
}

TEST_F(FrameStartTest, NoOldSongsMeansNoConversionWindow) {
    EXPECT_EQ(OldDataConversionWindow::create(*state, nullptr), nullptr);
    EXPECT_EQ(catalogue().useCount(F::OldCadenzio), 0);
    // The frame starts it each time it opens: with nothing to convert, nothing stays open.
    MainFrame frame(*state);
    frame.open();
    settle();
    for (int instance : state->starter().instances()) {
        EXPECT_NE(state->starter().procedureOf(instance), proc::kOldDataConversion);
    }
    frame.close();
    settle();
}

TEST_F(FrameStartTest, TheFrameStartsTheConversionWhenOldSongsAreLeft) {
    storeOldSongs(3);
    MainFrame frame(*state);
    frame.open();
    EXPECT_TRUE(waitFor([&] {
        FileUse use(catalogue(), {F::OldCadenzio});
        return catalogue().file(F::OldCadenzio).records() == 0;
    }));
    frame.close();
    settle();
    FileUse use(catalogue(), {F::Cadenzio});
    EXPECT_EQ(catalogue().file(F::Cadenzio).records(), 3);
}

TEST_F(FrameStartTest, AHaltClosesEveryOpenFileBeforeTheProgramEnds) {
    ASSERT_EQ(catalogue().use(F::Media), 0);
    ASSERT_EQ(catalogue().use(F::Labels), 0);
    ASSERT_EQ(beginTransaction(catalogue().database(), {&catalogue().file(F::Media)}, 1000), 0);
    catalogue().media().Media = "Never kept";
    ASSERT_EQ(catalogue().file(F::Media).add(), 0);
    state->warning()(Warning::InvalidFile, "cdzmedia");  // a halting warning
    EXPECT_EQ(halts, std::vector<std::string>{"Invalid File!"});
    EXPECT_FALSE(catalogue().file(F::Media).isOpen());
    EXPECT_FALSE(catalogue().file(F::Labels).isOpen());
    EXPECT_FALSE(catalogue().database().inTransaction());
    ASSERT_EQ(dialogs->shown().back().kind, DialogKind::Halt);
    makeState();
    FileUse use(catalogue(), {F::Media});
    EXPECT_EQ(catalogue().file(F::Media).records(), 0);
}

}  // namespace
}  // namespace cdz::test
