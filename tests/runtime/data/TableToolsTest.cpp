// Table locks seen by every station, and renaming a table inside a shared file or on disk.
#include <unistd.h>

#include <chrono>

#include <gtest/gtest.h>

#include "runtime/data/TableLock.h"
#include "runtime/data/TableRename.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/StationProcess.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

using Clock = std::chrono::steady_clock;

long long msSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class TableLockTest : public ::testing::Test {
protected:
    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    DataFile a{db, songDecl(), song};
    DataFile b{db, songDecl(), song};
    void SetUp() override {
        a.setName("shared.tps\\!A");
        b.setName("shared.tps\\!B");
    }
};

TEST_F(TableLockTest, OneHolderPerTableAndTablesApart) {
    TableLock first(a);
    TableLock other(b);
    ASSERT_EQ(first.lock(0), 0);
    EXPECT_EQ(first.lock(0), 0);  // already held
    EXPECT_EQ(other.lock(0), 0);  // another table of the same file

    TableLock second(a);
    const auto start = Clock::now();
    EXPECT_EQ(second.lock(150), err::kFileLocked);
    EXPECT_GE(msSince(start), 140);
    EXPECT_EQ(db.error().code, err::kFileLocked);
    EXPECT_FALSE(second.locked());

    first.unlock();
    EXPECT_EQ(second.lock(0), 0);
}

TEST_F(TableLockTest, AnotherStationWaitsUntilTheHolderEnds) {
    Signal held, letGo;
    const pid_t pid = station([&] {
        TestDatabase other{dir.path()};
        SongRec s;
        DataFile f{other, songDecl(), s};
        f.setName("shared.tps\\!A");
        TableLock lock(f);
        if (lock.lock(0) || !held.raise()) return 1;
        letGo.wait();
        _exit(0);  // dying, not unlocking, lets the lock go
    });
    ASSERT_TRUE(held.wait());
    TableLock mine(a);
    EXPECT_EQ(mine.lock(50), err::kFileLocked);
    letGo.raise();
    EXPECT_EQ(mine.lock(5000), 0);
    EXPECT_EQ(waitFor(pid), 0);
}

class TableRenameTest : public TableLockTest {};

std::vector<std::string> titles(DataFile& f, int key) {
    std::vector<std::string> out;
    auto* rec = static_cast<SongRec*>(f.record());
    EXPECT_EQ(f.set(key), 0);
    while (f.next() == 0) out.push_back(rec->Title.str());
    return out;
}

TEST_F(TableRenameTest, SharedTableKeepsRowsKeysAndCount) {
    ASSERT_EQ(a.create(), 0);
    ASSERT_EQ(b.create(), 0);
    ASSERT_EQ(a.open(), 0);
    for (const char* t : {"zulu", "alpha", "mike"}) {
        song = SongRec{};
        song.Title = t;
        ASSERT_EQ(a.add(), 0) << db.error().driverText;
    }
    ASSERT_EQ(a.close(), 0);

    ASSERT_EQ(renameTable(a, "shared.tps\\!C"), 0) << db.error().driverText;
    EXPECT_EQ(a.name(), "shared.tps\\!C");
    ASSERT_EQ(a.open(), 0) << db.error().driverText;  // keys in place: no 46
    EXPECT_EQ(a.records(), 3);
    EXPECT_EQ(titles(a, songDecl().keyIndex("ByTitle")),
              (std::vector<std::string>{"alpha", "mike", "zulu"}));
    song = SongRec{};
    song.Title = "alpha";
    EXPECT_EQ(a.add(), err::kDuplicateKey);  // the unique key moved along
    song.Title = "papa";
    ASSERT_EQ(a.add(), 0);
    EXPECT_EQ(a.records(), 4);  // counted under the new name
    ASSERT_EQ(a.close(), 0);

    DataFile old{db, songDecl(), song};
    old.setName("shared.tps\\!A");
    EXPECT_EQ(old.open(), err::kFileNotFound);
    EXPECT_EQ(b.open(), 0);  // the other table is untouched
}

TEST_F(TableRenameTest, RefusalsLeaveEverythingInPlace) {
    ASSERT_EQ(a.create(), 0);
    ASSERT_EQ(b.create(), 0);
    EXPECT_EQ(renameTable(a, "shared.tps\\!B"), err::kAccessDenied);
    EXPECT_EQ(a.name(), "shared.tps\\!A");
    EXPECT_EQ(renameTable(a, "elsewhere.tps\\!A"), err::kAccessDenied);

    DataFile missing{db, songDecl(), song};
    missing.setName("shared.tps\\!Nothing");
    EXPECT_EQ(renameTable(missing, "shared.tps\\!D"), err::kFileNotFound);

    ASSERT_EQ(a.open(), 0);
    EXPECT_EQ(renameTable(a, "shared.tps\\!D"), err::kFileAlreadyOpen);
    ASSERT_EQ(a.close(), 0);
    EXPECT_EQ(a.open(), 0);
}

TEST_F(TableRenameTest, FileOfItsOwnMovesOnDisk) {
    DataFile own{db, songDecl(), song};
    own.setName("before");
    ASSERT_EQ(own.create(), 0);
    ASSERT_EQ(renameTable(own, "after"), 0);
    if (!onServer()) {
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "before.tps"));
        EXPECT_TRUE(std::filesystem::exists(dir.path() / "after.tps"));
    }
    EXPECT_EQ(own.open(), 0);
}

}  // namespace
}  // namespace cdz::test
