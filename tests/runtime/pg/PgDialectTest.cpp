// The data layer's SQL on the server: placeholders renumbered outside literals and names,
// conflict clauses dropped only where the plain statement behaves the same, the rest refused;
// and SQLite's IFNULL and instr, created on the server, answer as SQLite does.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include "runtime/data/Database.h"
#include "runtime/data/RecordCodec.h"
#include "runtime/data/pg/PgDialect.h"
#include "runtime/data/pg/PgStatement.h"
#include "tests/runtime/pg/PgTest.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

using pg::PgDialect;

TEST(PgDialect, RenumbersPlaceholdersAndDropsClausesTheServerLacks) {
    const struct {
        const char* sqlite;
        const char* server;
    } cases[] = {
        {"SELECT ?, ?", "SELECT $1, $2"},
        // A bare ? follows the largest number so far, not the last one.
        {"a = ?3 AND b = ? AND c = ?1 AND d = ?", "a = $3 AND b = $4 AND c = $1 AND d = $5"},
        {"(a, b) > (?2, ?3) OR (a = ?2 AND b < ?3) LIMIT ?4",
         "(a, b) > ($2, $3) OR (a = $2 AND b < $3) LIMIT $4"},
        {"x = '?' AND \"?c\" = ? -- ?\n AND y = /* ?1 */ ?",
         "x = '?' AND \"?c\" = $1 -- ?\n AND y = /* ?1 */ $2"},
        {"'it''s ?' || \"a\"\"?\" || ?", "'it''s ?' || \"a\"\"?\" || $1"},
        {"INSERT OR FAIL INTO t(a) VALUES(?)", "INSERT INTO t(a) VALUES($1)"},
        {"insert  or\n abort into t(a) values(?)", "insert into t(a) values($1)"},
        {"UPDATE OR FAIL t SET a = ?2 WHERE b = ?1", "UPDATE t SET a = $2 WHERE b = $1"},
        {"SELECT IFNULL(MAX(a), 0) + instr(b, ?) FROM t",
         "SELECT IFNULL(MAX(a), 0) + instr(b, $1) FROM t"},
        // Words in literals and names are data, not statements.
        {"SELECT 'INSERT OR IGNORE', \"PRAGMA\", 'LIKE' FROM \"cdz_fold\"",
         "SELECT 'INSERT OR IGNORE', \"PRAGMA\", 'LIKE' FROM \"cdz_fold\""},
        {"SELECT \"Ä\" FROM t WHERE \"É\" = 'ü?'", "SELECT \"Ä\" FROM t WHERE \"É\" = 'ü?'"},
    };
    for (const auto& c : cases) {
        const auto t = PgDialect::translate(c.sqlite);
        EXPECT_TRUE(t.ok()) << c.sqlite << ": " << t.refused;
        EXPECT_EQ(t.sql, c.server) << c.sqlite;
    }
}

TEST(PgDialect, RefusesWhatHasNoCounterpart) {
    for (const char* sql : {
             "PRAGMA user_version",
             "ATTACH 'songs.db' AS s1",
             "SELECT 1; PRAGMA temp_store = 2",
             "INSERT OR IGNORE INTO t VALUES(1)",
             "UPDATE OR ROLLBACK t SET a = 1",
             "REPLACE INTO t VALUES(1)",
             "BEGIN IMMEDIATE",
             "SELECT cdz_upper(a) FROM t",
             "SELECT a FROM t WHERE a LIKE ?",
             "SELECT name FROM sqlite_schema",
             "SELECT :name",
             "SELECT $1",
             "SELECT ?0",
             "SELECT ?70000",
             "SELECT 'open",
         }) {
        const auto t = PgDialect::translate(sql);
        EXPECT_FALSE(t.ok()) << sql << " became " << t.sql;
        EXPECT_TRUE(t.sql.empty()) << sql;
    }
}

class PgDialectFunctions : public PgTest {
protected:
    void SetUp() override {
        PgTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        for (const auto& s : PgDialect::createFunctions()) {
            ASSERT_EQ(conn.exec(s), 0) << s << "\n" << conn.error().driverText;
        }
    }
};

TEST_F(PgDialectFunctions, IfnullAndInstrAnswerAsSqliteDoes) {
    const struct {
        const char* expr;  // over a row of one text (a) and one integer (n), both maybe NULL
        SqlValues row;
        SqlValues params;
    } cases[] = {
        {"IFNULL(a, '')", {SqlValue{}, SqlValue{}}, {}},
        {"IFNULL(a, '')", {std::string("é"), SqlValue{}}, {}},
        {"IFNULL(n, 0)", {SqlValue{}, SqlValue{}}, {}},
        {"IFNULL(MAX(n), 0) + 1", {SqlValue{}, int64_t{41}}, {}},
        {"IFNULL(MAX(n), 0) + 1", {SqlValue{}, SqlValue{}}, {}},
        {"instr(a, ?)", {std::string("héllo wörld"), SqlValue{}}, {std::string("wö")}},
        {"instr(a, ?)", {std::string("日本語"), SqlValue{}}, {std::string("語")}},
        {"instr(a, ?)", {std::string("abc"), SqlValue{}}, {std::string("")}},
        {"instr(a, ?)", {std::string("abc"), SqlValue{}}, {SqlValue{}}},
        {"instr(?, a) <> 0", {std::string("b"), SqlValue{}}, {std::string("abc")}},
    };
    TempDir dir;
    Database db(dir.path());
    std::string attached;  // the connection opens with its first file
    ASSERT_EQ(db.attach(dir.path() / "any.db", true, false, &attached), 0) << db.error().driverText;
    for (const auto& c : cases) {
        SqlValues params = c.params;
        params.insert(params.end(), c.row.begin(), c.row.end());
        // The row's values follow the expression's parameters.
        std::string numbered = std::string("SELECT ") + c.expr + " FROM (SELECT CAST(?" +
                               std::to_string(c.params.size() + 1) + " AS TEXT) AS a, CAST(?" +
                               std::to_string(c.params.size() + 2) + " AS INTEGER) AS n) r";
        Statement lite = db.statement(numbered);
        ASSERT_TRUE(lite) << numbered << ": " << db.error().driverText;
        for (size_t i = 0; i < params.size(); ++i) {
            RecordCodec::bind(lite, static_cast<int>(i + 1), params[i]);
        }
        ASSERT_TRUE(lite.step().row()) << c.expr;
        const auto t = PgDialect::translate(numbered);
        ASSERT_TRUE(t.ok()) << t.refused;
        pg::PgStatement server(conn, t.sql);
        for (size_t i = 0; i < params.size(); ++i) {
            RecordCodec::bind(server, static_cast<int>(i + 1), params[i]);
        }
        ASSERT_EQ(server.step(), pg::PgStatement::Step::Row)
            << t.sql << ": " << conn.error().driverText;
        EXPECT_EQ(RecordCodec::column(server, 0), RecordCodec::column(lite, 0)) << c.expr;
        EXPECT_EQ(server.columnType(0), lite.columnType(0)) << c.expr;
    }
}

}  // namespace
}  // namespace cdz::test
