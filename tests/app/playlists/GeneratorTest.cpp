// The playlist generator over real catalogue files: draws land only on songs that exist and
// meet the dates and the category, whatever the weighting; a playlist is written whole or
// not at all.
#include <gtest/gtest.h>

#include <set>

#include "app/playlists/PlaylistGenerator.h"
#include "runtime/text/DateTime.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using Result = PlaylistGeneratorOutcome::Result;

struct Entry {
    int32_t playlist;
    int64_t seq;
    int64_t song;
};

class GeneratorTest : public ::testing::Test {
protected:
    // Adds a song and gives its MUS:ID.
    int32_t addSong(const char* title, int32_t release = 0, int32_t category = 0) {
        Catalogue& c = f.state->catalogue();
        FileUse use(c, {CatalogueFile::Cadenzio});
        c.file(CatalogueFile::Cadenzio).clearBuffer();
        c.song().Artist = "Artist";
        c.song().Title = title;
        c.song().ReleaseDate = release;
        c.song().CategoryID = category;
        EXPECT_EQ(c.file(CatalogueFile::Cadenzio).add(), 0);
        return c.song().ID;
    }
    void eraseSong(int64_t recno) {
        Catalogue& c = f.state->catalogue();
        FileUse use(c, {CatalogueFile::Cadenzio});
        ASSERT_EQ(c.file(CatalogueFile::Cadenzio).getRecord(recno), 0);
        ASSERT_EQ(c.file(CatalogueFile::Cadenzio).erase(), 0);
    }
    void addCategory(int id, const std::string& name) {
        Catalogue& c = f.state->catalogue();
        FileUse use(c, {CatalogueFile::Categories});
        c.category().CategoryID = Decimal<6, 0>::fromRaw(id);
        c.category().Category = name;
        ASSERT_EQ(c.file(CatalogueFile::Categories).add(), 0);
    }
    std::vector<Entry> entries() {
        Catalogue& c = f.state->catalogue();
        FileUse use(c, {CatalogueFile::PlaylistDetails});
        DataFile& file = c.file(CatalogueFile::PlaylistDetails);
        std::vector<Entry> out;
        file.set(PlaylistDetailRecord::KeyPlaylistID);
        while (file.next() == 0) {
            const auto& e = c.playlistEntry();
            out.push_back({e.PlaylistID, e.PlaylistSeq.toInt(), e.ID.toInt()});
        }
        return out;
    }
    int64_t playlists() {
        FileUse use(f.state->catalogue(), {CatalogueFile::PlaylistMaster});
        return f.state->catalogue().file(CatalogueFile::PlaylistMaster).records();
    }
    PlaylistGeneratorOutcome generate(PlaylistGeneratorChoice choice) {
        // The window holds the files while it is up; so does each generation here.
        FileUse use(f.state->catalogue(),
                    {CatalogueFile::Categories, CatalogueFile::Cadenzio,
                     CatalogueFile::PlaylistDetails, CatalogueFile::PlaylistMaster});
        PlaylistGenerator generator(f.state->catalogue(), random);
        return generator.generate(choice, today);
    }
    // The distinct songs of every entry.
    std::set<int64_t> songsDrawn() {
        std::set<int64_t> out;
        for (const Entry& e : entries()) out.insert(e.song);
        return out;
    }

    StateFixture f;
    std::mt19937_64 random{20261208};
    const int32_t today = dateFromYmd(2026, 12, 8);
};

constexpr PlaylistWeighting kAll[] = {
    PlaylistWeighting::None, PlaylistWeighting::RecentAddition, PlaylistWeighting::RecentRelease,
    PlaylistWeighting::OlderAddition, PlaylistWeighting::OlderRelease};

TEST_F(GeneratorTest, OneSongFillsThePlaylistWithEveryWeighting) {
    const int32_t only = addSong("Only", dateFromYmd(2001, 2, 3));
    int32_t number = 0;
    for (PlaylistWeighting w : kAll) {
        SCOPED_TRACE(static_cast<int>(w));
        const auto got = generate({5, 0, 0, "", w});
        ASSERT_EQ(got.result, Result::Generated) << got.message;
        EXPECT_EQ(got.playlistId, ++number);
        EXPECT_EQ(got.name, "Play List #" + std::to_string(number));
        EXPECT_EQ(got.entries, 5);
    }
    const auto all = entries();
    ASSERT_EQ(all.size(), 25u);
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].song, only);
        EXPECT_EQ(all[i].seq, static_cast<int64_t>(i % 5 + 1));  // 1..5 in each playlist
    }
}

TEST_F(GeneratorTest, DrawsNeverLandInAGapAndReachSongsAddedAfterIt) {
    std::set<int64_t> kept;
    for (int i = 1; i <= 10; ++i) {
        const int32_t id = addSong(("Song " + std::to_string(i)).c_str());
        if (i < 3 || i > 6) kept.insert(id);
    }
    for (int64_t recno : {3, 4, 5, 6}) eraseSong(recno);
    const int32_t late = addSong("Added after the deletions");
    kept.insert(late);
    for (PlaylistWeighting w : kAll) {
        SCOPED_TRACE(static_cast<int>(w));
        const auto got = generate({99, 0, 0, "", w});
        ASSERT_EQ(got.result, Result::Generated) << got.message;
        EXPECT_EQ(got.entries, 99);
    }
    const std::set<int64_t> drawn = songsDrawn();
    EXPECT_EQ(drawn, kept);  // every existing song, the late one too, and no deleted one
}

TEST_F(GeneratorTest, ACategoryIsMatchedWholeAndAnUnknownOneWritesNothing) {
    const std::string wide(30, 'W');
    const int32_t rock = addSong("Rock song", 0, 1);
    addSong("Wide song", 0, 2);
    addCategory(1, "Rock");
    addCategory(2, wide);
    addCategory(3, "Jazz");
    struct Case {
        int size;
        std::string category;
        Result result;
        int entries;
    };
    const Case cases[] = {
        {0, "", Result::Generated, 0},
        {10, "Jazz", Result::Generated, 0},
        {3, "Rockabilly", Result::UnknownCategory, 0},
        {3, "Roc", Result::UnknownCategory, 0},
        {3, wide + "X", Result::UnknownCategory, 0},
        {3, "Rock", Result::Generated, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.category);
        const auto got = generate({c.size, 0, 0, c.category, PlaylistWeighting::None});
        EXPECT_EQ(got.result, c.result);
        EXPECT_EQ(got.entries, c.entries);
        if (c.result == Result::UnknownCategory) {
            EXPECT_EQ(got.message,
                      "There is no category \"" + c.category + "\". No play list was made.");
        }
    }
    EXPECT_EQ(playlists(), 3);  // two of them empty
    EXPECT_EQ(songsDrawn(), std::set<int64_t>{rock});
}

TEST_F(GeneratorTest, ABareYearIsComparedAsAYear) {
    const int32_t year85 = addSong("Year 1985", 1985);
    const int32_t june85 = addSong("June 1985", dateFromYmd(1985, 6, 1));
    const int32_t jan90 = addSong("January 1990", dateFromYmd(1990, 1, 1));
    const int32_t year90 = addSong("Year 1990", 1990);
    addSong("Unknown", 0);
    struct Case {
        int32_t start, end;
        std::set<int64_t> songs;
    };
    const Case cases[] = {
        {dateFromYmd(1985, 3, 1), 0, {year85, june85, jan90, year90}},
        {dateFromYmd(1985, 7, 1), 0, {year85, jan90, year90}},
        {0, dateFromYmd(1985, 5, 31), {year85}},
        {1990, 0, {jan90, year90}},
        {0, 1985, {year85, june85}},
        {1986, 1989, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + ".." + std::to_string(c.end));
        const auto got = generate({99, c.start, c.end, "", PlaylistWeighting::None});
        ASSERT_EQ(got.result, Result::Generated) << got.message;
        std::set<int64_t> drawn;
        for (const Entry& e : entries())
            if (e.playlist == got.playlistId) drawn.insert(e.song);
        EXPECT_EQ(drawn, c.songs);
    }
}

TEST_F(GeneratorTest, APlaylistThatCannotBeAddedLeavesNothingWritten) {
    addSong("Song");
    { FileUse make(f.state->catalogue(), {CatalogueFile::PlaylistMaster}); }
    // Another station holds the playlist file for writing past our wait.
    TestDatabase other(f.dir.path());
    PlaylistMasterRecord rec;
    DataFile theirs(other, PlaylistMasterRecord::declaration(), rec);
    ASSERT_EQ(theirs.open(), 0);
    ASSERT_EQ(beginTransaction(other, {&theirs}, 0), 0);
    f.state->catalogue().database().setLockWait(50);
    const auto got = generate({5, 0, 0, "", PlaylistWeighting::None});
    EXPECT_EQ(got.result, Result::NotWritten);
    EXPECT_NE(got.message.find("adding to the Play List Master file"), std::string::npos)
        << got.message;
    ASSERT_EQ(other.rollback(), 0);
    EXPECT_EQ(playlists(), 0);
    EXPECT_TRUE(entries().empty());
}

TEST_F(GeneratorTest, EntriesOfANumberNobodyKeptNeverJoinTheNewPlaylist) {
    const int32_t song = addSong("Song");
    {
        Catalogue& c = f.state->catalogue();
        FileUse use(c, {CatalogueFile::PlaylistDetails});
        c.playlistEntry().PlaylistID = 1;
        c.playlistEntry().PlaylistSeq = Decimal<6, 0>::fromRaw(1);
        c.playlistEntry().ID = Decimal<6, 0>::fromRaw(999);
        ASSERT_EQ(c.file(CatalogueFile::PlaylistDetails).add(), 0);
    }
    const auto got = generate({2, 0, 0, "", PlaylistWeighting::None});
    ASSERT_EQ(got.result, Result::Generated) << got.message;
    EXPECT_EQ(got.playlistId, 2);
    const auto all = entries();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1].song, song);
    EXPECT_EQ(all[2].song, song);
}

}  // namespace
}  // namespace cdz::test
