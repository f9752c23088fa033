// Table locks seen by every station, and renaming a table inside a shared file or on disk.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include <gtest/gtest.h>

#include "runtime/data/TableLock.h"
#include "runtime/data/TableRename.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
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
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const std::filesystem::path folder = dir.path();
    const pid_t pid = fork();
    if (pid == 0) {
        TestDatabase other{folder};
        SongRec s;
        DataFile f{other, songDecl(), s};
        f.setName("shared.tps\\!A");
        TableLock held(f);
        const char ok = held.lock(0) == 0 ? 'y' : 'n';
        (void)!write(ready[1], &ok, 1);
        usleep(400 * 1000);
        _exit(0);  // dying lets the lock go
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');
    TableLock mine(a);
    EXPECT_EQ(mine.lock(50), err::kFileLocked);
    const auto start = Clock::now();
    EXPECT_EQ(mine.lock(5000), 0);
    EXPECT_LT(msSince(start), 4000);
    int status = 0;
    waitpid(pid, &status, 0);
    close(ready[0]);
    close(ready[1]);
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
