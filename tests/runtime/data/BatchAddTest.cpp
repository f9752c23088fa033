// New records added together (an import's batch; on the server sent together over its copy):
// numbered past the highest as single adds are, awkward values kept, the count right; a
// failure anywhere in the batch leaves nothing of it; and another station's add waits for the
// batch and is numbered past it.
#include <gtest/gtest.h>

#include "runtime/data/DataFile.h"
#include "runtime/data/Transaction.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

struct Add {
    const char* title;
    const char* notes;
    int32_t given;  // the number the buffer holds (0: numbered)
    int32_t id;     // the number it has once stored
};

class BatchAddTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(songs.create(), 0);
        ASSERT_EQ(songs.open(), 0);
        song = SongRec{};
        song.Title = "stored";
        ASSERT_EQ(songs.add(), 0);  // number 1
    }

    // The adds in one batch, committed when every call succeeded; the first failure's code.
    int batch(const std::vector<Add>& adds) {
        Transaction t(db, {&songs}, 2000);
        if (int code = t.began()) return code;
        if (int code = songs.beginBatchAdd()) return code;
        for (const Add& a : adds) {
            song = SongRec{};
            song.Title = a.title;
            song.Notes = a.notes;
            song.ID = a.given;
            if (int code = songs.batchAdd()) return code;
        }
        if (int code = songs.endBatchAdd()) return code;
        return t.commit();
    }

    // The stored number and notes of the song of a title; 0 when there is none.
    int32_t idOf(const char* title, std::string* notes = nullptr) {
        song = SongRec{};
        song.Title = title;
        if (songs.get(songDecl().keyIndex("ByTitle")) != 0) return 0;
        if (notes) *notes = song.Notes;
        return song.ID;
    }

    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    DataFile songs{db, songDecl(), song};
};

TEST_F(BatchAddTest, NumbersFollowTheHighestAndValuesAndCountAreKept) {
    const std::vector<Add> adds = {
        {"numbered", "tab\there\nnew line\r\nback\\slash", 0, 2},
        {"given", "\\N", 10, 10},
        {"after given", "\\.", 0, 11},
        {"日本 \"q\"", "\x7f\x01 ends in a backslash\\", 0, 12},
    };
    ASSERT_EQ(batch(adds), 0) << db.error().driverText;
    EXPECT_EQ(songs.records(), 5);
    for (const Add& a : adds) {
        SCOPED_TRACE(a.title);
        std::string notes;
        EXPECT_EQ(idOf(a.title, &notes), a.id);
        EXPECT_EQ(notes, a.notes);
    }
    // A single add after the batch is numbered past it, and so is the record number.
    song = SongRec{};
    song.Title = "single";
    ASSERT_EQ(songs.add(), 0);
    EXPECT_EQ(song.ID, 13);
    ASSERT_EQ(idOf("after given"), 11);
    const int64_t batchRecord = songs.recordNumber();
    ASSERT_EQ(idOf("single"), 13);
    EXPECT_GT(songs.recordNumber(), batchRecord);
}

TEST_F(BatchAddTest, AFailureAnywhereInTheBatchLeavesNothingOfIt) {
    const struct {
        const char* what;
        std::vector<Add> adds;
    } cases[] = {
        {"a title stored before", {{"x1", "", 0, 0}, {"stored", "", 0, 0}, {"x2", "", 0, 0}}},
        {"a title twice in the batch", {{"x1", "", 0, 0}, {"x2", "", 0, 0}, {"x1", "", 0, 0}}},
        {"a number stored before", {{"x1", "", 0, 0}, {"x2", "", 1, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(batch(c.adds), err::kDuplicateKey) << db.error().driverText;
        EXPECT_EQ(songs.records(), 1);
        EXPECT_EQ(idOf("x1"), 0);
        EXPECT_EQ(idOf("x2"), 0);
    }
    ASSERT_EQ(batch({{"x1", "", 0, 0}}), 0) << db.error().driverText;
    EXPECT_EQ(idOf("x1"), 2);
    EXPECT_EQ(songs.records(), 2);
}

TEST_F(BatchAddTest, AnotherStationsAddWaitsForTheBatchAndIsNumberedPastIt) {
    TestDatabase other{dir.path()};
    SongRec theirs;
    DataFile there{other, songDecl(), theirs};
    ASSERT_EQ(there.open(), 0) << other.error().driverText;
    other.setLockWait(200);
    {
        Transaction t(db, {&songs}, 2000);
        ASSERT_EQ(t.began(), 0);
        ASSERT_EQ(songs.beginBatchAdd(), 0) << db.error().driverText;
        for (const char* title : {"a", "b"}) {
            song = SongRec{};
            song.Title = title;
            ASSERT_EQ(songs.batchAdd(), 0) << db.error().driverText;
        }
        theirs = SongRec{};
        theirs.Title = "theirs";
        EXPECT_EQ(there.add(), err::kFileLocked) << other.error().driverText;
        ASSERT_EQ(songs.endBatchAdd(), 0) << db.error().driverText;
        ASSERT_EQ(t.commit(), 0) << db.error().driverText;
    }
    ASSERT_EQ(there.add(), 0) << other.error().driverText;
    EXPECT_EQ(theirs.ID, 4);
    EXPECT_EQ(idOf("b"), 3);
    EXPECT_EQ(there.records(), 4);
}

}  // namespace
}  // namespace cdz::test
