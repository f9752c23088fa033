// Two stations on the same files: separate processes (fork), each with its own connection.
#include <signal.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <set>

#include <gtest/gtest.h>

#include "runtime/data/DataFile.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/StationProcess.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

using Clock = std::chrono::steady_clock;

class StationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(songs.create(), 0);
        ASSERT_EQ(cats.create(), 0);
        ASSERT_EQ(songs.open(), 0);
    }

    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    CategoryRec cat;
    DataFile songs{db, songDecl(), song};
    DataFile cats{db, categoryDecl(), cat};
    const int keyID = songDecl().keyIndex("KeyID");
};

// The other station's change of the song with number `id`.
int changeSong(const std::filesystem::path& folder, int32_t id, const char* title) {
    TestDatabase other{folder};
    SongRec s;
    DataFile f{other, songDecl(), s};
    if (f.open()) return 1;
    s.ID = id;
    if (f.get(songDecl().keyIndex("KeyID"))) return 2;
    s.Title = title;
    if (f.put()) return 3;
    s = SongRec{};
    s.Title = std::string(title) + " too";
    return f.add() ? 4 : 0;
}

TEST_F(StationTest, WatchedPutFailsWhenAnotherStationChangedTheRecord) {
    song.Title = "mine";
    ASSERT_EQ(songs.add(), 0);
    const int32_t id = song.ID;

    songs.watch();
    ASSERT_EQ(songs.get(keyID), 0);
    ASSERT_EQ(waitFor(station([&] { return changeSong(dir.path(), id, "theirs"); })), 0);
    EXPECT_EQ(songs.records(), 2);  // their add is visible here

    song.Title = "my edit";
    EXPECT_EQ(songs.put(), err::kRecordChanged);
    EXPECT_EQ(db.error().text, "Record Changed By Another Station");
    // Watch again, re-read: the buffer holds their version, and now the put goes through.
    songs.watch();
    ASSERT_EQ(songs.get(keyID), 0);
    EXPECT_EQ(song.Title, "theirs");
    song.Title = "my edit";
    EXPECT_EQ(songs.put(), 0);
    EXPECT_EQ(songs.put(), 0);  // my own put does not count as a change by another

    // Without a watch the last put wins.
    ASSERT_EQ(songs.get(keyID), 0);
    ASSERT_EQ(waitFor(station([&] { return changeSong(dir.path(), id, "again"); })), 0);
    song.Title = "last";
    EXPECT_EQ(songs.put(), 0);
}

TEST_F(StationTest, BeginWaitsForTheOtherStationsTransactionAtMostItsLimit) {
    Signal ready, letGo;
    pid_t holder = station([&] {
        TestDatabase other{dir.path()};
        SongRec s;
        DataFile f{other, songDecl(), s};
        if (f.open() || beginTransaction(other, {&f}, 1000)) return 1;
        s.Title = "held";
        if (f.add()) return 2;
        if (!ready.raise()) return 3;
        letGo.wait();
        return other.commit() ? 4 : 0;
    });
    ASSERT_TRUE(ready.wait());

    // The other transaction lasts until it is let go, so the begin returning at all shows its
    // wait has a limit.
    auto start = Clock::now();
    EXPECT_EQ(beginTransaction(db, {&songs}, 200), err::kFileLocked);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(150));
    EXPECT_EQ(db.error().text, "File Is Locked");
    if (!onServer()) {
        EXPECT_EQ(db.error().driverCode & 0xff, SQLITE_BUSY);
    }
    EXPECT_FALSE(db.inTransaction());

    // Let go, the other transaction commits: a longer limit outlasts it and sees its record.
    letGo.raise();
    ASSERT_EQ(beginTransaction(db, {&songs}, 5000), 0);
    EXPECT_EQ(songs.records(), 1);
    ASSERT_EQ(db.commit(), 0);
    EXPECT_EQ(waitFor(holder), 0);
}

TEST_F(StationTest, ExclusiveOpenKeepsOtherStationsOut) {
    ASSERT_EQ(songs.close(), 0);
    ASSERT_EQ(songs.open(access::kExclusive), 0);
    int rc = waitFor(station([&] {
        TestDatabase other{dir.path()};
        other.setLockWait(100);
        SongRec s;
        DataFile f{other, songDecl(), s};
        if (f.open() == 0 && f.records() == 0 && other.error().code == 0) return 1;
        return 0;
    }));
    EXPECT_EQ(rc, 0);
    // And while another station uses the file, an exclusive open is refused.
    ASSERT_EQ(songs.close(), 0);
    Signal ready, letGo;
    pid_t holder = station([&] {
        TestDatabase other{dir.path()};
        SongRec s;
        DataFile f{other, songDecl(), s};
        if (f.open() || beginTransaction(other, {&f}, 1000)) return 1;
        if (!ready.raise()) return 3;
        letGo.wait();
        return other.rollback();
    });
    ASSERT_TRUE(ready.wait());
    db.setLockWait(100);
    EXPECT_EQ(songs.open(access::kExclusive), err::kAccessDenied);
    EXPECT_EQ(db.attachedCount(), 0);
    letGo.raise();
    EXPECT_EQ(waitFor(holder), 0);
}

// Adds song n and category n in one transaction, over and over, until killed.
[[noreturn]] void writeForever(const std::filesystem::path& folder) {
    TestDatabase other{folder};
    SongRec s;
    CategoryRec c;
    DataFile f{other, songDecl(), s};
    DataFile g{other, categoryDecl(), c};
    for (DataFile* x : {&f, &g}) {
        if (x->open()) {
            x->send("Recover=10");
            if (x->open()) _exit(1);
        }
    }
    for (int n = 0;; ++n) {
        if (beginTransaction(other, {&f, &g}, 5000)) _exit(2);
        s = SongRec{};
        s.Title = "n" + std::to_string(n) + "-" + std::to_string(getpid());
        c = CategoryRec{};
        c.Category = s.Title.str().substr(0, 10);
        if (f.add()) _exit(3);
        s.Notes = std::string(200, 'x');  // more pages touched per transaction
        if (f.put()) _exit(4);
        if (g.add() || other.commit()) _exit(5);
    }
}

TEST_F(StationTest, KilledTransactionLeavesAllOrNothing) {
    ASSERT_EQ(songs.close(), 0);
    std::mt19937 rng(12345);
    int recovered = 0;
    for (int round = 0; round < 25; ++round) {
        pid_t pid = station([&]() -> int { writeForever(dir.path()); });
        usleep(20000 + rng() % 60000);
        kill(pid, SIGKILL);
        waitFor(pid);

        // The next station recovers through the 32 path and finds both files in step.
        for (DataFile* f : {&songs, &cats}) {
            int code = f->open();
            if (code == err::kFileLocked) {
                ++recovered;
                EXPECT_EQ(f->open(), err::kFileLocked);  // still refused without the option
                f->send("Recover=10");
                code = f->open();
            }
            ASSERT_EQ(code, 0) << "round " << round << ": " << db.error().driverText;
        }
        std::set<std::string> titles, names;
        ASSERT_EQ(songs.set(), 0);
        while (songs.next() == 0) titles.insert(song.Title.str().substr(0, 10));
        ASSERT_EQ(cats.set(), 0);
        while (cats.next() == 0) names.insert(cat.Category.str());
        EXPECT_EQ(titles, names) << "round " << round;
        EXPECT_EQ(songs.records(), static_cast<int64_t>(titles.size()));
        EXPECT_EQ(cats.records(), static_cast<int64_t>(names.size()));
        for (DataFile* f : {&songs, &cats}) {
            std::string problems;
            ASSERT_EQ(f->check(&problems), 0);
            EXPECT_EQ(problems, "");
            if (onServer()) continue;
            Statement check = db.statement("PRAGMA " + f->sql().schema() + ".integrity_check");
            ASSERT_TRUE(check);
            ASSERT_TRUE(check.step().row());
            EXPECT_EQ(check.text(0), "ok");
        }
        ASSERT_EQ(songs.close(), 0);
        ASSERT_EQ(cats.close(), 0);
    }
    // Some kills did land inside a transaction (a server rolls those back itself).
    if (!onServer()) {
        EXPECT_GT(recovered, 0);
    }
}

}  // namespace
}  // namespace cdz::test
