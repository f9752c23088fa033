// A playlist's entries over real files: the moves that swap sequence numbers (one transaction
// each, a failure half-way undone), drops, rows of deleted songs, and the chart copy's marker.
#include <sqlite3.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/domain/data/Catalogue.h"
#include "app/playlists/ChartCopy.h"
#include "app/playlists/PlaylistEntries.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;
using Move = PlaylistEntries::Move;

class PlaylistEntriesTest : public ::testing::Test {
protected:
    PlaylistEntriesTest() : files(cat(), {F::Cadenzio, F::PlaylistDetails, F::PlaylistMaster}) {}
    Catalogue& cat() { return f.state->catalogue(); }

    void addSong(int32_t id, const char* title, int32_t time) {
        cat().file(F::Cadenzio).clearBuffer();
        cat().song().ID = id;
        cat().song().Artist = "Artist";
        cat().song().Title = title;
        cat().song().Time = time;
        ASSERT_EQ(cat().file(F::Cadenzio).add(), 0);
    }
    void addEntry(int32_t playlist, int64_t seq, int64_t song, const char* note = "") {
        cat().file(F::PlaylistDetails).clearBuffer();
        cat().playlistEntry().PlaylistID = playlist;
        cat().playlistEntry().PlaylistSeq = Decimal<6, 0>::fromRaw(seq);
        cat().playlistEntry().ID = Decimal<6, 0>::fromRaw(song);
        cat().playlistEntry().PlaylistNotes = note;
        ASSERT_EQ(cat().file(F::PlaylistDetails).add(), 0);
    }
    // Entries 1, 2, 5, 9 carrying songs 101, 102, 105, 109.
    void fourEntries(int32_t playlist) {
        for (int64_t seq : {1, 2, 5, 9}) addEntry(playlist, seq, 100 + seq);
    }
    // The playlist as "seq:song" in sequence order.
    std::vector<std::string> order(int32_t playlist) {
        std::vector<PlaylistRow> rows;
        EXPECT_EQ(entries.rows(playlist, &rows), 0);
        std::vector<std::string> out;
        for (const PlaylistRow& r : rows) {
            out.push_back(std::to_string(r.seq) + ":" + std::to_string(r.song));
        }
        return out;
    }

    StateFixture f;
    FileUse files;
    PlaylistEntries entries{cat()};
};

TEST_F(PlaylistEntriesTest, AMoveRotatesTheEntriesOverTheNumbersInUse) {
    const struct {
        int64_t seq;
        Move how;
        int64_t movedTo;
        std::vector<std::string> after;
    } cases[] = {
        {5, Move::Up, 2, {"1:101", "2:105", "5:102", "9:109"}},
        {9, Move::Top, 1, {"1:109", "2:101", "5:102", "9:105"}},
        {2, Move::Down, 5, {"1:101", "2:105", "5:102", "9:109"}},
        {1, Move::Bottom, 9, {"1:102", "2:105", "5:109", "9:101"}},
        // The first entry cannot go up, nor the last down.
        {1, Move::Up, 1, {"1:101", "2:102", "5:105", "9:109"}},
        {1, Move::Top, 1, {"1:101", "2:102", "5:105", "9:109"}},
        {9, Move::Down, 9, {"1:101", "2:102", "5:105", "9:109"}},
        {9, Move::Bottom, 9, {"1:101", "2:102", "5:105", "9:109"}},
    };
    int32_t playlist = 0;
    for (const auto& c : cases) {
        fourEntries(++playlist);
        addEntry(playlist + 100, 1, 1);  // a neighbouring playlist is never touched
        int64_t movedTo = 0;
        SwapFault fault;
        EXPECT_EQ(entries.move(playlist, c.seq, c.how, &movedTo, &fault), 0) << c.seq;
        EXPECT_EQ(movedTo, c.movedTo) << c.seq;
        EXPECT_EQ(order(playlist), c.after) << c.seq << " " << static_cast<int>(c.how);
        EXPECT_EQ(order(playlist + 100), std::vector<std::string>{"1:1"});
    }
}

TEST_F(PlaylistEntriesTest, AMoveFailingHalfWayLeavesEveryNumberAsItWas) {
    fourEntries(1);
    // Another program's trigger refuses the third renumbering of a move to the top (the entry
    // numbered 1 taking 2), after the moved entry and two others were already saved.
    DataFile& details = cat().file(F::PlaylistDetails);
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(details.path().c_str(), &raw), SQLITE_OK);
    const std::string trigger = "CREATE TRIGGER refuse BEFORE UPDATE ON \"" +
                                details.sql().table() + "\" WHEN NEW." + details.sql().column(1) +
                                " = 2 BEGIN SELECT RAISE(ABORT, 'refused'); END";
    ASSERT_EQ(sqlite3_exec(raw, trigger.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);

    int64_t movedTo = 0;
    SwapFault fault;
    EXPECT_NE(entries.move(1, 9, Move::Top, &movedTo, &fault), 0);
    EXPECT_EQ(movedTo, 9);
    EXPECT_EQ(fault.section, "Put Swap");
    EXPECT_EQ(fault.seq, 1);
    EXPECT_EQ(order(1), (std::vector<std::string>{"1:101", "2:102", "5:105", "9:109"}));
    const std::string text = PlaylistEntries::swapErrorText(fault);
    EXPECT_EQ(text.rfind("Record swap error: |", 0), 0u) << text;
    EXPECT_NE(text.find("|Key Field PLA:PlaylistID = 1|Key Field PLA:PlaylistSeq = 1|Section = "
                        "Put Swap|"),
              std::string::npos)
        << text;
}

TEST_F(PlaylistEntriesTest, ADropTakesTheNextNumberOfItsOwnPlaylistOnlyForASongThatExists) {
    addSong(7, "Seven", 100);
    for (int64_t seq : {1, 2, 3}) addEntry(2, seq, 7);
    int64_t seq = -1;
    EXPECT_EQ(entries.drop(1, 7, {}, &seq), PlaylistEntries::Drop::Added);
    EXPECT_EQ(seq, 1);  // the other playlist's numbers do not count
    EXPECT_EQ(entries.drop(1, 7, {}, &seq), PlaylistEntries::Drop::Added);
    EXPECT_EQ(seq, 2);  // the same song may come twice
    EXPECT_EQ(entries.drop(1, 8, {}, &seq), PlaylistEntries::Drop::NoSuchSong);
    EXPECT_EQ(order(1), (std::vector<std::string>{"1:7", "2:7"}));
}

TEST_F(PlaylistEntriesTest, AnEntryWhoseSongIsGoneShowsNoSongAndAddsNoTime) {
    addSong(1, "Kept", 12345);
    addSong(2, "Deleted", 500);
    addSong(3, "Also kept", 100);
    addEntry(1, 1, 1, "first");
    addEntry(1, 2, 2, "orphan");
    addEntry(1, 3, 3);
    cat().song().ID = 2;
    ASSERT_EQ(cat().file(F::Cadenzio).get(SongRecord::KeyID), 0);
    ASSERT_EQ(cat().file(F::Cadenzio).erase(), 0);
    std::vector<PlaylistRow> rows;
    ASSERT_EQ(entries.rows(1, &rows), 0);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].title, "Kept");
    EXPECT_EQ(rows[1].notes, "orphan");
    EXPECT_EQ(rows[1].song, 2);
    EXPECT_EQ(rows[1].artist + rows[1].title, "");
    EXPECT_EQ(rows[1].time, 0);
    EXPECT_EQ(rows[2].title, "Also kept");
    // Times are hundredths plus one: the lengths add, not the stored ones.
    EXPECT_EQ(PlaylistEntries::totalTime(rows), 1 + 12344 + 99);
}

TEST_F(PlaylistEntriesTest, TheChartMarkerIsOneAndWholeWhateverThePositionAndNote) {
    const std::string full(40, 'x');
    const struct {
        std::string note;
        int64_t position;
        std::string marked;
    } cases[] = {
        {"", 3, " LW:3"},
        {"great  ", 12, "great LW:12"},
        {"great LW:12", 7, "great LW:7"},
        {"great LW:7", 100, "great LW:100"},
        {"great LW:100", 101, "great LW:101"},
        {"a LW:3 b LW:4", 5, "a  b LW:5"},
        {full, 5, std::string(35, 'x') + " LW:5"},
        {std::string(30, 'y') + " LW:99", 100, std::string(30, 'y') + " LW:100"},
        {std::string(34, 'z') + " LW:100", 1234, std::string(32, 'z') + " LW:1234"},
    };
    for (const auto& c : cases) {
        const std::string marked = ChartCopy::markedNote(c.note, c.position);
        EXPECT_EQ(marked, c.marked) << c.note;
        EXPECT_LE(marked.size(), 40u);
        EXPECT_EQ(ChartCopy::lastWeek(marked), std::to_string(c.position));
    }
    EXPECT_EQ(ChartCopy::lastWeek("no marker"), "--");
}

TEST_F(PlaylistEntriesTest, TheChartCopiedTwiceAtPositionHundredKeepsOneMarker) {
    addEntry(1, 100, 1, "note");
    addEntry(1, 101, 1, std::string(40, 'n').c_str());
    addEntry(2, 1, 1, "other list");
    for (int pass = 0; pass < 2; ++pass) {
        ChartCopy copy(cat(), 1);
        ASSERT_TRUE(copy.start());
        while (copy.step()) {
        }
        EXPECT_FALSE(copy.failed());
        EXPECT_EQ(copy.percent(), 100);
    }
    std::vector<PlaylistRow> rows;
    ASSERT_EQ(entries.rows(1, &rows), 0);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].notes, "note LW:100");
    EXPECT_EQ(rows[1].notes, std::string(33, 'n') + " LW:101");  // the width exactly
    ASSERT_EQ(entries.rows(2, &rows), 0);
    EXPECT_EQ(rows[0].notes, "other list");
}

}  // namespace
}  // namespace cdz::test
