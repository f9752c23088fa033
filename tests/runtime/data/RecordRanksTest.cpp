// Record ranks: the n-th record that exists, with and without a condition, over files whose
// record numbers have gaps, so that a draw by rank never lands on a deleted record.
#include <gtest/gtest.h>

#include "runtime/data/RecordRanks.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

class RecordRanksTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(songs.create(), 0);
        ASSERT_EQ(songs.open(), 0);
        // Six songs, numbered 1..6; categories 1 2 1 2 1 2.
        for (int i = 1; i <= 6; ++i) {
            song = SongRec{};
            song.Artist = "a" + std::to_string(i);
            song.Title = "t" + std::to_string(i);
            song.CategoryID = 2 - i % 2;
            ASSERT_EQ(songs.add(), 0);
        }
    }
    void erase(int64_t recno) {
        ASSERT_EQ(songs.getRecord(recno), 0);
        ASSERT_EQ(songs.erase(), 0);
    }

    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    DataFile songs{db, songDecl(), song};
};

TEST_F(RecordRanksTest, GivesTheRecordAtEachRankAmongThoseThatExist) {
    struct Case {
        const char* name;
        std::vector<int64_t> erased;
        SqlFilter condition;
        int order;
        int64_t count;
        std::vector<int64_t> ranks;
        std::vector<int64_t> recnos;
    };
    const Case cases[] = {
        {"no gaps", {}, {}, kRecordOrder, 6, {1, 3, 3, 6, 7}, {1, 3, 3, 6, 0}},
        {"gaps", {2, 4}, {}, kRecordOrder, 4, {1, 2, 3, 4, 5}, {1, 3, 5, 6, 0}},
        {"first deleted", {1}, {}, kRecordOrder, 5, {1, 5}, {2, 6}},
        {"condition",
         {},
         {"{SNG:CategoryID} = ?", {int64_t{2}}},
         kRecordOrder,
         3,
         {1, 2, 3, 4},
         {2, 4, 6, 0}},
        {"condition and gaps",
         {4},
         {"{SNG:CategoryID} = ?", {int64_t{2}}},
         kRecordOrder,
         2,
         {2},
         {6}},
        // By category, then artist: 1 3 5 2 4 6.
        {"key order", {}, {}, 3, 6, {1, 4, 6}, {1, 2, 6}},
        {"key order and gaps", {3}, {}, 3, 5, {2, 3, 5}, {5, 2, 6}},
        {"nothing meets it", {}, {"{SNG:CategoryID} = ?", {int64_t{9}}}, kRecordOrder, 0, {1}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        songs.close();
        SetUp();
        for (int64_t r : c.erased) erase(r);
        RecordRanks ranks(songs);
        ranks.setOrder(c.order);
        ASSERT_EQ(ranks.setCondition(c.condition), 0);
        int64_t n = -1;
        ASSERT_EQ(ranks.count(&n), 0);
        EXPECT_EQ(n, c.count);
        std::vector<int64_t> got;
        ASSERT_EQ(ranks.recordNumbers(c.ranks, &got), 0);
        EXPECT_EQ(got, c.recnos);
        // Gathered in one pass, the same records at the same ranks.
        std::vector<int64_t> every;
        ASSERT_EQ(ranks.all(&every), 0);
        ASSERT_EQ(static_cast<int64_t>(every.size()), c.count);
        for (size_t i = 0; i < c.ranks.size(); ++i) {
            const int64_t r = c.ranks[i];
            EXPECT_EQ(r <= c.count ? every[static_cast<size_t>(r - 1)] : 0, c.recnos[i]);
        }
    }
}

TEST_F(RecordRanksTest, RefusesAConditionItCannotRun) {
    RecordRanks ranks(songs);
    EXPECT_EQ(ranks.setCondition({"{SNG:Nothing} = ?", {int64_t{1}}}), err::kInvalidKeyLength);
    EXPECT_EQ(ranks.setCondition({"{SNG:CategoryID} = = ?", {int64_t{1}}}), err::kInvalidKeyLength);
    // A refused condition is not kept: the count is of every record again.
    int64_t n = 0;
    ASSERT_EQ(ranks.count(&n), 0);
    EXPECT_EQ(n, 6);
}

}  // namespace
}  // namespace cdz::test
