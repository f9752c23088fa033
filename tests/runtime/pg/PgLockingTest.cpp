// Two stations on one catalogue: transactions over tables that keep a refused write from
// spoiling the rest, a lock wait that ends in 32, auto numbers that never collide, and sole
// use of a file for maintenance.
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "runtime/data/pg/PgErrors.h"
#include "runtime/data/pg/PgExclusive.h"
#include "runtime/data/pg/PgTransaction.h"
#include "tests/runtime/pg/PgTracks.h"

namespace cdz::test {
namespace {

using pg::PgExclusive;
using pg::PgResult;
using pg::PgTransaction;

using PgTransactionTest = PgTracksTest;

// Tells a wait kept to the limit it was given from one that was not, however slow the machine:
// the connection's own lock wait is far longer than its statement time-out, so only a wait
// limited as asked ends as 55P03 (the statement time-out ends one as 57014).
void waitsOnlyAsAsked(pg::PgConnection& conn) {
    ASSERT_EQ(conn.setLockWait(600000), 0) << conn.error().driverText;
    ASSERT_EQ(conn.exec("SET statement_timeout = 10000"), 0) << conn.error().driverText;
}

TEST_F(PgTransactionTest, ARefusedWriteLeavesTheTransactionUsableAndTheRestCommits) {
    PgTransaction t(conn);
    ASSERT_EQ(t.begin({&sql}, 0), 0) << conn.error().driverText;
    const struct {
        const char* title;
        int code;
    } adds[] = {{"SOS", 0}, {"SOS", err::kDuplicateKey}, {"Waterloo", 0}};
    for (const auto& a : adds) {
        EXPECT_EQ(t.write(insertSql(), track("Abba", a.title)), a.code)
            << a.title << ": " << conn.error().driverText;
    }
    ASSERT_EQ(t.commit(), 0) << conn.error().driverText;
    EXPECT_EQ(records(), 2);
}

TEST_F(PgTransactionTest, WhatIsNotCommittedLeavesTheTableAsItWas) {
    ASSERT_EQ(conn.query(insertSql(), track("Abba", "SOS")), 0) << conn.error().driverText;
    const int64_t stampBefore = stamp();
    const struct {
        const char* ending;
        int (*end)(PgTransaction&, pg::PgConnection&);
        int code;
    } endings[] = {
        {"rolled back", [](PgTransaction& t, pg::PgConnection&) { return t.rollback(); }, 0},
        {"dropped", [](PgTransaction&, pg::PgConnection&) { return 0; }, 0},
        // A failure outside the transaction's writes aborts it: its commit must not pass for
        // one.
        {"committed after a failed statement",
         [](PgTransaction& t, pg::PgConnection& c) {
             c.exec("SELECT no_such_column");
             return t.commit();
         },
         err::kTransactionFailed},
    };
    for (const auto& e : endings) {
        {
            PgTransaction t(conn);
            ASSERT_EQ(t.begin({&sql}, 0), 0) << conn.error().driverText;
            ASSERT_EQ(t.write(insertSql(), track("Abba", "Waterloo")), 0)
                << conn.error().driverText;
            EXPECT_EQ(e.end(t, conn), e.code) << e.ending << ": " << conn.error().driverText;
        }
        EXPECT_FALSE(conn.inTransaction()) << e.ending;
        EXPECT_EQ(records(), 1) << e.ending;
        EXPECT_EQ(stamp(), stampBefore) << e.ending;
    }
}

TEST_F(PgTransactionTest, BeginWaitsForAnotherStationsWriterAndThenFailsWith32) {
    const pg::PgTableSql albums(decl, schema, "Albums");
    const pg::PgTableSql labels(decl, schema, "Labels");
    for (const auto* t : {&albums, &labels}) {
        for (const auto& s : t->createTable()) ASSERT_EQ(conn.exec(s), 0) << s;
    }
    ASSERT_NO_FATAL_FAILURE(waitsOnlyAsAsked(conn));
    const struct {
        const char* holder;
        bool wholeTable;  // else a transaction over `tables`
        std::vector<const pg::PgTableSql*> tables;
        int waitMs;
        int code;
    } holders[] = {
        {"the whole table, not waited for", true, {}, 0, err::kFileLocked},
        {"the whole table", true, {}, 300, err::kFileLocked},
        // Named in another order: the locks are still taken in one.
        {"a transaction over both tables", false, {&sql, &albums}, 300, err::kFileLocked},
        {"a transaction over another table", false, {&labels}, 300, 0},
    };
    for (const auto& h : holders) {
        PgTransaction held(other);
        ASSERT_EQ(h.wholeTable ? other.exec("BEGIN; LOCK TABLE " + sql.ref() + " IN SHARE MODE")
                               : held.begin(h.tables, 0),
                  0)
            << h.holder << ": " << other.error().driverText;
        PgTransaction t(conn);
        int code = -1;
        const long long took = timed([&] { code = t.begin({&albums, &sql}, h.waitMs); });
        EXPECT_EQ(code, h.code) << h.holder << ": " << conn.error().driverText;
        EXPECT_GE(took, h.code ? h.waitMs : 0) << h.holder;
        if (h.code) {
            EXPECT_EQ(pg::unpackSqlstate(conn.error().driverCode), "55P03") << h.holder;
        }
        EXPECT_EQ(conn.inTransaction(), h.code == 0) << h.holder;
        if (t.active()) {
            EXPECT_EQ(t.rollback(), 0);
        }
        ASSERT_EQ(other.exec("ROLLBACK"), 0);
    }
    PgTransaction t(conn);
    EXPECT_EQ(t.begin({&sql}, 0), 0) << conn.error().driverText;
    // One transaction at a time on a connection.
    PgTransaction second(conn);
    EXPECT_EQ(second.begin({&sql}, 0), err::kTransactionActive);
    EXPECT_TRUE(t.active());
}

// Two stations add to one table at once: the second waits for the first one's commit and
// numbers past it, whether its transaction named the table, did not, or it adds alone. A wait
// that runs out is 32 and the transaction stays usable.
TEST_F(PgTransactionTest, StationsAddingAtOnceGetDistinctNumbers) {
    pg::PgConnection watcher;
    ASSERT_EQ(openOther(watcher), 0) << watcher.error().driverText;
    // 1 while the second station's server process waits for a lock, as a third one sees it.
    const std::string waitingB =
        "SELECT count(*) FROM pg_stat_activity WHERE wait_event_type = 'Lock' AND pid = " +
        std::to_string(single(other, "SELECT pg_backend_pid()"));
    const struct {
        const char* how;
        bool inTransaction;
        bool namesTable;
        int waitMs;
        int firstTry;
    } cases[] = {
        {"a transaction over the table", true, true, 5000, 0},
        {"a transaction over no table", true, false, 5000, 0},
        {"alone", false, false, 5000, 0},
        {"a transaction over no table, briefly", true, false, 100, err::kFileLocked},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(conn.exec("TRUNCATE " + sql.ref()), 0);
        ASSERT_EQ(other.setLockWait(c.waitMs), 0);
        PgTransaction a(conn);
        PgTransaction b(other);
        ASSERT_EQ(a.begin({&sql}, 0), 0) << conn.error().driverText;
        PgResult ra;
        PgResult rb;
        ASSERT_EQ(a.addNumbered(sql, insertSql(), track("Abba", "SOS"), &ra), 0)
            << conn.error().driverText;
        int code = -1;
        std::atomic<bool> done = false;
        std::thread stationB([&] {
            const std::vector<const pg::PgTableSql*> named{&sql};
            code =
                c.inTransaction ? b.begin(c.namesTable ? named : decltype(named){}, c.waitMs) : 0;
            if (!code) code = b.addNumbered(sql, insertSql(), track("Abba", "Waterloo"), &rb);
            done = true;
        });
        // The first station commits once the second waits for it (or, when the second's wait
        // is to run out, once it has), so the two meet however slow the machine.
        while (!done && (c.firstTry || single(watcher, waitingB) != 1)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_EQ(a.commit(), 0) << conn.error().driverText;
        stationB.join();
        EXPECT_EQ(code, c.firstTry) << c.how << ": " << other.error().driverText;
        if (code) {
            EXPECT_EQ(b.addNumbered(sql, insertSql(), track("Abba", "Waterloo"), &rb), 0)
                << other.error().driverText;
        }
        EXPECT_EQ(b.active(), c.inTransaction) << c.how;
        if (b.active()) {
            ASSERT_EQ(b.commit(), 0) << other.error().driverText;
        }
        EXPECT_EQ(ra.value(0, 1), SqlValue(int64_t{1})) << c.how;
        ASSERT_EQ(rb.rows(), 1) << c.how;
        EXPECT_EQ(rb.value(0, 1), SqlValue(int64_t{2})) << c.how;
        EXPECT_EQ(records(), 2) << c.how;
    }
}

using PgExclusiveTest = PgTracksTest;

TEST_F(PgExclusiveTest, RefusedWith5WhileAnotherStationUsesTheTable) {
    const struct {
        const char* use;
        std::string begin;
        int code;
    } uses[] = {
        {"reading in a transaction", "BEGIN; SELECT count(*) FROM " + sql.ref(),
         err::kAccessDenied},
        {"writing in a transaction", "BEGIN; LOCK TABLE " + sql.ref() + " IN ROW EXCLUSIVE MODE",
         err::kAccessDenied},
        {"nothing", "BEGIN", 0},
    };
    ASSERT_NO_FATAL_FAILURE(waitsOnlyAsAsked(conn));
    for (const auto& u : uses) {
        ASSERT_EQ(other.exec(u.begin), 0) << u.use << ": " << other.error().driverText;
        PgExclusive x(conn);
        EXPECT_EQ(x.acquire({sql.ref()}), u.code) << u.use << ": " << conn.error().driverText;
        EXPECT_EQ(x.held(), u.code == 0) << u.use;
        EXPECT_EQ(conn.inTransaction(), u.code == 0) << u.use;
        if (u.code) {
            // Refused at once: after a wait, the statement time-out would have ended it.
            EXPECT_EQ(pg::unpackSqlstate(conn.error().driverCode), "55P03") << u.use;
        }
        ASSERT_EQ(other.exec("ROLLBACK"), 0);
    }
}

TEST_F(PgExclusiveTest, WhileHeldAnotherStationFailsWith32AfterItsWait) {
    constexpr int kWaitMs = 200;
    ASSERT_EQ(other.setLockWait(kWaitMs), 0);
    PgExclusive x(conn);
    ASSERT_EQ(x.acquire({sql.ref()}), 0) << conn.error().driverText;
    const std::string ref = sql.ref();
    const struct {
        const char* step;
        std::function<int()> run;
    } steps[] = {
        {"a read", [&] { return other.exec("SELECT count(*) FROM " + ref); }},
        {"an add", [&] { return other.query(insertSql(), track("Abba", "SOS")); }},
        {"a transaction",
         [&] {
             PgTransaction t(other);
             return t.begin({&sql}, kWaitMs);
         }},
    };
    for (const auto& s : steps) {
        int code = -1;
        const long long took = timed([&] { code = s.run(); });
        EXPECT_EQ(code, err::kFileLocked) << s.step << ": " << other.error().driverText;
        EXPECT_GE(took, kWaitMs) << s.step;
    }
    ASSERT_EQ(x.release(), 0) << conn.error().driverText;
    EXPECT_EQ(other.exec("SELECT count(*) FROM " + ref), 0) << other.error().driverText;
}

TEST_F(PgExclusiveTest, ReleaseKeepsTheMaintenanceAndAnythingElseUndoesIt) {
    const struct {
        const char* ending;
        bool failInside;
        bool release;  // else abandon (or drop, when a failure came first)
        int code;
        int64_t records;
    } endings[] = {
        {"abandoned", false, false, 0, 1},
        {"released after a failure", true, true, err::kTransactionFailed, 1},
        {"released", false, true, 0, 0},
    };
    ASSERT_EQ(conn.query(insertSql(), track("Abba", "SOS")), 0) << conn.error().driverText;
    for (const auto& e : endings) {
        {
            PgExclusive x(conn);
            ASSERT_EQ(x.acquire({sql.ref()}), 0) << conn.error().driverText;
            ASSERT_EQ(conn.exec("DELETE FROM " + sql.ref()), 0) << conn.error().driverText;
            if (e.failInside) conn.exec("SELECT no_such_column");
            EXPECT_EQ(e.release ? x.release() : x.abandon(), e.code) << e.ending;
        }
        EXPECT_FALSE(conn.inTransaction()) << e.ending;
        EXPECT_EQ(records(), e.records) << e.ending;
    }
}

}  // namespace
}  // namespace cdz::test
