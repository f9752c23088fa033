// A server statement read through the engine-neutral row: each column's kind from its type,
// rows one step at a time, the count of changes, a run again after a reset, and failures that
// leave the runtime's code and store nothing.
#include <gtest/gtest.h>

#include "runtime/data/RecordCodec.h"
#include "runtime/data/pg/PgStatement.h"
#include "tests/runtime/pg/PgTest.h"

namespace cdz::test {
namespace {

using pg::PgStatement;
using Step = PgStatement::Step;

using PgStatementTest = PgTest;

TEST_F(PgStatementTest, ColumnsReadByTheirTypes) {
    const struct {
        const char* expr;
        ColumnType type;
        SqlValue value;
    } cases[] = {
        {"(-32768)::int2", ColumnType::Integer, int64_t{-32768}},
        {"2147483647::int4", ColumnType::Integer, int64_t{2147483647}},
        {"(-9223372036854775808)::int8", ColumnType::Integer, INT64_MIN},
        {"1.5::float4", ColumnType::Real, 1.5},
        {"0.1::float8", ColumnType::Real, 0.1},
        {"3.125::numeric", ColumnType::Real, 3.125},
        {"'Björk'::text", ColumnType::Text, std::string("Björk")},
        {"''::varchar", ColumnType::Text, std::string()},
        {"'ab'::char(3)", ColumnType::Text, std::string("ab ")},
        {"NULL::int4", ColumnType::Null, SqlValue{}},
        {"NULL::text", ColumnType::Null, SqlValue{}},
        {"true", ColumnType::Integer, int64_t{1}},
    };
    std::string sql = "SELECT ";
    for (const auto& c : cases) sql += std::string(&c == cases ? "" : ", ") + c.expr;
    PgStatement stmt(conn, sql);
    ASSERT_EQ(stmt.step(), Step::Row) << conn.error().driverText;
    ASSERT_EQ(stmt.columnCount(), static_cast<int>(std::size(cases)));
    for (int i = 0; i < stmt.columnCount(); ++i) {
        const auto& c = cases[i];
        EXPECT_EQ(stmt.columnType(i), c.type) << c.expr;
        EXPECT_EQ(RecordCodec::column(stmt, i), c.value) << c.expr;
    }
    // A real read as an integer, and a number as text, as SQLite gives them.
    EXPECT_EQ(stmt.integer(5), 3);
    EXPECT_EQ(stmt.text(1), "2147483647");
    EXPECT_EQ(stmt.step(), Step::Done);
}

TEST_F(PgStatementTest, StepsRowByRowCountsChangesAndRunsAgainAfterAReset) {
    ASSERT_EQ(conn.exec("CREATE SCHEMA " + schema + "; CREATE TABLE " + schema +
                        ".t(v bigint); INSERT INTO " + schema + ".t SELECT generate_series(1, 5)"),
              0)
        << conn.error().driverText;
    PgStatement select(conn, "SELECT v FROM " + schema + ".t WHERE v > $1 ORDER BY v");
    auto rows = [&](int64_t above) {
        select.reset();
        select.bindInteger(1, above);
        std::vector<int64_t> out;
        StepResult s;
        while ((s = select.step()) == Step::Row) out.push_back(select.integer(0));
        EXPECT_EQ(s, Step::Done) << conn.error().driverText;
        EXPECT_EQ(select.step(), Step::Done);  // stays done until reset
        return out;
    };
    EXPECT_EQ(rows(2), (std::vector<int64_t>{3, 4, 5}));
    EXPECT_EQ(rows(4), (std::vector<int64_t>{5}));
    EXPECT_EQ(rows(5), (std::vector<int64_t>{}));

    PgStatement update(conn, "UPDATE " + schema + ".t SET v = v * 10 WHERE v > $1");
    update.bindInteger(1, 3);
    EXPECT_EQ(update.step(), Step::Done) << conn.error().driverText;
    EXPECT_EQ(update.changes(), 2);
    EXPECT_EQ(rows(10), (std::vector<int64_t>{40, 50}));
    // Run again: the same parameter now matches all five.
    update.reset();
    update.bindInteger(1, 0);
    EXPECT_EQ(update.step(), Step::Done);
    EXPECT_EQ(update.changes(), 5);
    // A failed run counts no changes, not the run's before.
    update.reset();
    update.bindText(1, std::string("1\0", 2));
    EXPECT_EQ(update.step(), Step::Failed);
    EXPECT_EQ(update.changes(), 0);
}

TEST_F(PgStatementTest, FailuresLeaveTheRuntimeCodeAndStoreNothing) {
    ASSERT_EQ(conn.exec("CREATE SCHEMA " + schema + "; CREATE TABLE " + schema +
                        ".t(k text PRIMARY KEY); INSERT INTO " + schema + ".t VALUES('a')"),
              0)
        << conn.error().driverText;
    const std::string t = schema + ".t";
    const struct {
        std::string sql;
        std::string param;
        int code;
    } cases[] = {
        {"INSERT INTO " + t + " VALUES($1)", "a", err::kDuplicateKey},
        {"INSERT INTO " + schema + ".missing VALUES($1)", "b", err::kFileNotFound},
        {"INSERT INTO " + t + " VALUES($1", "b", err::kDriverError},
        // Cut at the NUL, the text would be stored as "b".
        {"INSERT INTO " + t + " VALUES($1)", std::string("b\0c", 3), err::kDriverError},
    };
    for (const auto& c : cases) {
        PgStatement stmt(conn, c.sql);
        stmt.bindText(1, c.param);
        EXPECT_EQ(stmt.step(), Step::Failed) << c.sql;
        EXPECT_EQ(stmt.error().code, c.code) << c.sql << ": " << stmt.error().driverText;
        EXPECT_EQ(stmt.step(), Step::Failed) << c.sql;
        EXPECT_EQ(stmt.changes(), 0) << c.sql;
    }
    PgStatement all(conn, "SELECT string_agg(k, ',') FROM " + t);
    ASSERT_EQ(all.step(), Step::Row) << conn.error().driverText;
    EXPECT_EQ(all.text(0), "a");
}

}  // namespace
}  // namespace cdz::test
