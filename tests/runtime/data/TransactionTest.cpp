// Transactions over several files and stream batches, seen from a second connection.
#include <gtest/gtest.h>

#include "runtime/data/DataFile.h"
#include "runtime/data/Transaction.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

class TransactionTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (DataFile* f : {&songs, &cats}) {
            ASSERT_EQ(f->create(), 0);
            ASSERT_EQ(f->open(), 0);
        }
    }

    int addBoth(const std::string& name) {
        song = SongRec{};
        song.Title = name;
        if (int code = songs.add()) return code;
        cat = CategoryRec{};
        cat.Category = name;
        return cats.add();
    }

    // What another station sees: its own connection on the same folder.
    std::pair<int64_t, int64_t> seenElsewhere() {
        TestDatabase other{dir.path()};
        SongRec s;
        CategoryRec c;
        DataFile otherSongs{other, songDecl(), s};
        DataFile otherCats{other, categoryDecl(), c};
        EXPECT_EQ(otherSongs.open(), 0);
        EXPECT_EQ(otherCats.open(), 0);
        return {otherSongs.records(), otherCats.records()};
    }

    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    CategoryRec cat;
    DataFile songs{db, songDecl(), song};
    DataFile cats{db, categoryDecl(), cat};
};

TEST_F(TransactionTest, CommitAndRollbackCoverBothFiles) {
    ASSERT_EQ(beginTransaction(db, {&songs, &cats}, 2000), 0);
    ASSERT_EQ(addBoth("kept"), 0);
    EXPECT_EQ(seenElsewhere(), (std::pair<int64_t, int64_t>{0, 0}));  // not yet committed
    ASSERT_EQ(db.commit(), 0);
    EXPECT_EQ(seenElsewhere(), (std::pair<int64_t, int64_t>{1, 1}));

    ASSERT_EQ(beginTransaction(db, {&songs, &cats}, 2000), 0);
    ASSERT_EQ(addBoth("dropped"), 0);
    ASSERT_EQ(songs.set(), 0);
    ASSERT_EQ(songs.next(), 0);
    ASSERT_EQ(songs.erase(), 0);
    ASSERT_EQ(db.rollback(), 0);
    EXPECT_EQ(songs.records(), 1);
    EXPECT_EQ(cats.records(), 1);
    cat.Category = "dropped";
    EXPECT_EQ(cats.get(categoryDecl().keyIndex("KeyCategory")), err::kRecordNotFound);
    EXPECT_EQ(seenElsewhere(), (std::pair<int64_t, int64_t>{1, 1}));
}

// The scope: what is not committed goes when it ends, and the failure that ended it stays the
// error state's, not the rollback's.
TEST_F(TransactionTest, AScopeLeftWithoutACommitRollsBackKeepingTheCause) {
    {
        Transaction t(db, {&songs, &cats});
        ASSERT_EQ(t.began(), 0);
        ASSERT_EQ(addBoth("dropped"), 0);
        db.fail(err::kDuplicateKey);
    }
    EXPECT_EQ(db.error().code, err::kDuplicateKey);
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(seenElsewhere(), (std::pair<int64_t, int64_t>{0, 0}));

    EXPECT_EQ(inTransaction(db, {&songs, &cats}, [&] { return addBoth("kept"); }), 0);
    EXPECT_EQ(inTransaction(db, {&songs, &cats},
                            [&] {
                                addBoth("gone");
                                return db.fail(err::kAccessDenied);
                            }),
              err::kAccessDenied);
    EXPECT_EQ(db.error().code, err::kAccessDenied);
    EXPECT_EQ(seenElsewhere(), (std::pair<int64_t, int64_t>{1, 1}));

    // A file not open: nothing begins, and a commit tells the same.
    ASSERT_EQ(cats.close(), 0);
    Transaction t(db, {&songs, &cats});
    EXPECT_EQ(t.began(), err::kFileNotOpen);
    EXPECT_EQ(t.commit(), err::kFileNotOpen);
    EXPECT_FALSE(db.inTransaction());
}

TEST_F(TransactionTest, FramingErrors) {
    EXPECT_EQ(db.commit(), err::kTransactionFailed);
    EXPECT_EQ(db.rollback(), err::kTransactionFailed);
    ASSERT_EQ(beginTransaction(db, {&songs}, 100), 0);
    EXPECT_EQ(beginTransaction(db, {&cats}, 100), err::kTransactionActive);
    EntryRec e;
    DataFile entries{db, entryDecl(), e};
    ASSERT_EQ(entries.create(), err::kTransactionActive);  // no attach inside a transaction
    ASSERT_EQ(db.rollback(), 0);
    EXPECT_EQ(beginTransaction(db, {&songs, &entries}, 100), err::kFileNotOpen);
    EXPECT_FALSE(db.inTransaction());
}

TEST_F(TransactionTest, FailedAddInsideTransactionKeepsTheRest) {
    ASSERT_EQ(beginTransaction(db, {&songs, &cats}, 2000), 0);
    ASSERT_EQ(addBoth("one"), 0);
    EXPECT_EQ(addBoth("one"), err::kDuplicateKey);  // the song's unique title
    EXPECT_TRUE(db.inTransaction());
    ASSERT_EQ(db.commit(), 0);
    EXPECT_EQ(seenElsewhere(), (std::pair<int64_t, int64_t>{1, 1}));
}

TEST_F(TransactionTest, StreamBatchesUntilFlush) {
    ASSERT_EQ(songs.stream(), 0);
    ASSERT_EQ(cats.stream(), 0);
    for (int i = 0; i < 500; ++i) ASSERT_EQ(addBoth("n" + std::to_string(i)), 0);
    ASSERT_EQ(songs.flush(), 0);
    EXPECT_EQ(seenElsewhere().first, 0);  // one batch: nothing until the last flush
    ASSERT_EQ(cats.flush(), 0);
    EXPECT_EQ(seenElsewhere(), (std::pair<int64_t, int64_t>{500, 500}));

    // A transaction begun during a stream commits the batch so far and takes over.
    ASSERT_EQ(songs.stream(), 0);
    ASSERT_EQ(addBoth("batched"), 0);
    ASSERT_EQ(beginTransaction(db, {&songs, &cats}, 2000), 0);
    ASSERT_EQ(addBoth("undone"), 0);
    ASSERT_EQ(db.rollback(), 0);
    ASSERT_EQ(songs.flush(), 0);
    EXPECT_EQ(seenElsewhere(), (std::pair<int64_t, int64_t>{501, 501}));
}

}  // namespace
}  // namespace cdz::test
