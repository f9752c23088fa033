// A whole file written and read in one stream (on the server over its copy, in the folder read
// in pages): awkward values come back exactly, the keys and the count are whole after the
// stream, and a stream that fails or is left unfinished rolls back with nothing of it left.
#include <gtest/gtest.h>

#include <climits>

#include "runtime/data/DataFile.h"
#include "runtime/data/Transaction.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

struct Row {
    int64_t recno;
    const char* artist;
    const char* title;
    const char* notes;
    int32_t category;
    int16_t year;
    int64_t priceCents;
};

// What the text form of a bulk copy escapes or could take for its own marks, a NULL among
// them, and numbers at their ends; the record numbers leave gaps.
const Row kRows[] = {
    {3, "Édith Piaf", "La Vie en rose", "tab\there\nnew line\r\nback\\slash", 7, 1946, 1234},
    {7, "\\N", "\\.", "\\t is not a tab, \\\\ two", INT32_MIN, -32768, -9999},
    {8, "", "empty artist", "", INT32_MAX, 32767, 1},
    {1000000, "日本 \"quoted\" 'too'", "Ωmega\t", "\x7f\x01 ends in a backslash\\", 0, 0, 0},
};

class BulkCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(songs.create(), 0);
        ASSERT_EQ(songs.open(), 0);
    }

    static void fill(SongRec& rec, const Row& r) {
        rec = SongRec{};
        rec.Artist = r.artist;
        rec.Title = r.title;
        rec.Notes = r.notes;
        rec.CategoryID = r.category;
        rec.Year = r.year;
        rec.ID = static_cast<int32_t>(r.recno);
        rec.Price = Decimal<4, 2>::fromRaw(r.priceCents);
    }

    // Every row through one stream in one transaction; the first failure's code.
    int writeAll(const std::vector<Row>& rows) {
        Transaction t(db, {&songs}, 2000);
        if (int code = t.began()) return code;
        if (int code = songs.beginBulkAdd()) return code;
        for (const Row& r : rows) {
            fill(song, r);
            if (int code = songs.bulkAdd(r.recno)) return code;
        }
        if (int code = songs.endBulkAdd()) return code;
        return t.commit();
    }

    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    DataFile songs{db, songDecl(), song};
};

TEST_F(BulkCopyTest, AwkwardValuesComeBackExactlyWithTheKeysAndCountWhole) {
    ASSERT_EQ(writeAll({std::begin(kRows), std::end(kRows)}), 0) << db.error().driverText;

    // Another station opens it (the open checks every key is there) and reads it back.
    TestDatabase other{dir.path()};
    SongRec read;
    DataFile there{other, songDecl(), read};
    ASSERT_EQ(there.open(), 0) << other.error().driverText;
    EXPECT_EQ(there.records(), std::size(kRows));
    ASSERT_EQ(there.beginBulkRead(), 0) << other.error().driverText;
    for (const Row& r : kRows) {
        SCOPED_TRACE(r.recno);
        ASSERT_EQ(there.bulkNext(), 0) << other.error().driverText;
        EXPECT_EQ(there.recordNumber(), r.recno);
        fill(song, r);
        for (const auto& c : songDecl().columns()) EXPECT_EQ(c.value(&read), c.value(&song));
    }
    EXPECT_EQ(there.bulkNext(), err::kRecordNotAvailable);

    // The case-insensitive key finds its record by the folded copy made in the stream.
    read = SongRec{};
    read.Artist = "ÉDITH PIAF";
    read.Title = "la vie en rose";
    ASSERT_EQ(there.get(songDecl().keyIndex("ByArtist")), 0);
    EXPECT_EQ(there.recordNumber(), 3);
    // A unique key holds, and an add is numbered past the highest record kept (the refused
    // add may have used a number up).
    read = SongRec{};
    read.Title = "empty artist";
    EXPECT_EQ(there.add(), err::kDuplicateKey);
    read.Title = "new";
    ASSERT_EQ(there.add(), 0);
    EXPECT_GT(there.recordNumber(), 1000000);
}

TEST_F(BulkCopyTest, AStreamThatFailsOrIsLeftLeavesNothingAndTheKeysWhole) {
    // Two records with one title break the unique key only when the keys are made again.
    std::vector<Row> twice{kRows[0], kRows[1]};
    twice[1].title = twice[0].title;
    EXPECT_EQ(writeAll(twice), err::kDuplicateKey);
    {
        Transaction t(db, {&songs}, 2000);
        ASSERT_EQ(t.began(), 0);
        ASSERT_EQ(songs.beginBulkAdd(), 0);
        fill(song, kRows[0]);
        ASSERT_EQ(songs.bulkAdd(kRows[0].recno), 0);
    }  // left unfinished: the stream is abandoned as the scope rolls back
    ASSERT_EQ(songs.close(), 0);
    ASSERT_EQ(songs.open(), 0) << db.error().driverText;
    EXPECT_EQ(songs.records(), 0);
    ASSERT_EQ(writeAll({std::begin(kRows), std::end(kRows)}), 0) << db.error().driverText;
    EXPECT_EQ(songs.records(), std::size(kRows));
}

}  // namespace
}  // namespace cdz::test
