// Rewrites made together (on a server, sent at the flush): each record as a put writes it, its
// folded copy following for a case-insensitive key and its revision advancing, the others left
// alone; and a record gone meanwhile fails the flush instead of passing for written.
#include <gtest/gtest.h>

#include "runtime/data/DataFile.h"
#include "runtime/data/RecordPuts.h"
#include "runtime/data/Transaction.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

class RecordPutsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(songs.create(), 0);
        ASSERT_EQ(songs.open(), 0);
        for (const char* title : {"one", "two", "three"}) {
            song = SongRec{};
            song.Artist = "Band";
            song.Title = title;
            ASSERT_EQ(songs.add(), 0);
            read.push_back(songs.current());
        }
    }

    // Rewrites the records with the artist given for each (none: left alone) in one batch.
    int rewrite(const std::vector<const char*>& artists) {
        Transaction t(db, {&songs}, 2000);
        if (int code = t.began()) return code;
        RecordPuts puts(songs);
        for (size_t i = 0; i < artists.size(); ++i) {
            if (!artists[i]) continue;
            if (int code = songs.getRecord(read[i].recno)) return code;
            song.Artist = artists[i];
            if (int code = puts.put(read[i])) return code;
        }
        if (int code = puts.flush()) return code;
        return t.commit();
    }

    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    DataFile songs{db, songDecl(), song};
    std::vector<DataFile::Current> read;
};

TEST_F(RecordPutsTest, EachRecordIsWrittenAsAPutWritesIt) {
    // Read (and watched) before the rewrite: its put must then fail as changed meanwhile.
    songs.watch();
    ASSERT_EQ(songs.getRecord(read[2].recno), 0);
    const DataFile::Current watched = songs.current();
    ASSERT_EQ(rewrite({"Édith Piaf", nullptr, "Nina"}), 0) << db.error().driverText;
    const int byArtist = songDecl().keyIndex("ByArtist");
    for (const auto& [artist, title] :
         {std::pair{"ÉDITH PIAF", "ONE"}, std::pair{"nina", "three"}, std::pair{"band", "two"}}) {
        song = SongRec{};
        song.Artist = artist;
        song.Title = title;
        EXPECT_EQ(songs.get(byArtist), 0) << artist;
    }
    EXPECT_EQ(songs.records(), 3);
    ASSERT_EQ(songs.getRecord(read[2].recno), 0);
    songs.setCurrent(watched);
    EXPECT_EQ(songs.put(), err::kRecordChanged);
}

TEST_F(RecordPutsTest, ARecordGoneMeanwhileFailsTheRewrite) {
    ASSERT_EQ(songs.getRecord(read[1].recno), 0);
    ASSERT_EQ(songs.erase(), 0);
    Transaction t(db, {&songs}, 2000);
    ASSERT_EQ(t.began(), 0);
    RecordPuts puts(songs);
    ASSERT_EQ(songs.getRecord(read[0].recno), 0);  // its values, written as the gone record
    const int put = puts.put(read[1]);
    EXPECT_EQ(put == 0 ? puts.flush() : put, err::kRecordNotAvailable);
}

}  // namespace
}  // namespace cdz::test
