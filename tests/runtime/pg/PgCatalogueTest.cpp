// What a schema holds, read back from the server's catalogue and compared with the
// declaration: a table as made matches, and each kind of change by hand is named.
#include <gtest/gtest.h>

#include "runtime/data/pg/PgCatalogue.h"
#include "tests/runtime/pg/PgTracks.h"

namespace cdz::test {
namespace {

using pg::PgCatalogue;

using PgCatalogueTest = PgTracksTest;

TEST_F(PgCatalogueTest, ATableAsMadeMatchesItsDeclarationAlsoUnderAShortenedName) {
    const pg::PgTableSql longName(decl, schema, std::string(70, 'T'));
    for (const auto& s : longName.createTable()) {
        ASSERT_EQ(conn.exec(s), 0) << s << "\n" << conn.error().driverText;
    }
    PgCatalogue cat;
    ASSERT_EQ(cat.read(conn, schema), 0) << conn.error().driverText;
    EXPECT_EQ(cat.mismatch(sql), "");
    EXPECT_EQ(cat.mismatch(longName), "");
    EXPECT_EQ(cat.mismatch(pg::PgTableSql(decl, schema, "Albums")), "there is no table Albums");
}

TEST_F(PgCatalogueTest, EachChangeByHandIsNamed) {
    const std::string ref = sql.ref();
    const std::string idx = "DROP INDEX " + schema + ".\"Tracks__KeyTitle\"; ";
    const struct {
        const char* change;
        std::string sql;
        const char* words;
    } changes[] = {
        {"a column dropped", "ALTER TABLE " + ref + " DROP COLUMN \"Title__fold\"",
         "the table Tracks has no column Title__fold"},
        {"a column retyped", "ALTER TABLE " + ref + " ALTER COLUMN \"ID\" TYPE bigint",
         "the column ID of Tracks is bigint, not integer"},
        {"a text in the server's collation",
         "ALTER TABLE " + ref + " ALTER COLUMN \"Title\" TYPE text COLLATE \"default\"",
         "the column Title of Tracks does not compare byte by byte"},
        {"an index no longer unique",
         idx + "CREATE INDEX \"Tracks__KeyTitle\" ON " + ref + "(\"Title\")",
         "the index Tracks__KeyTitle is not the one its key declares"},
        {"an index in the server's collation",
         idx + "CREATE UNIQUE INDEX \"Tracks__KeyTitle\" ON " + ref +
             "(\"Title\" COLLATE \"default\")",
         "the index Tracks__KeyTitle is not the one its key declares"},
        {"an index over other columns",
         idx + "CREATE UNIQUE INDEX \"Tracks__KeyTitle\" ON " + ref + "(\"Title__fold\")",
         "the index Tracks__KeyTitle is not the one its key declares"},
        {"an index made partial",
         idx + "CREATE UNIQUE INDEX \"Tracks__KeyTitle\" ON " + ref +
             "(\"Title\") WHERE \"ID\" > 0",
         "the index Tracks__KeyTitle is not the one its key declares"},
        {"an index dropped", "DROP INDEX " + schema + ".\"Tracks__KeyArtist\"",
         "the table Tracks has no index Tracks__KeyArtist"},
        {"a trigger dropped", "DROP TRIGGER \"Tracks__changed\" ON " + ref,
         "the table Tracks has no trigger Tracks__changed"},
    };
    for (const auto& c : changes) {
        // Changes of layout are transactional: each is undone before the next.
        ASSERT_EQ(conn.exec("BEGIN; " + c.sql), 0) << c.change << ": " << conn.error().driverText;
        PgCatalogue cat;
        EXPECT_EQ(cat.read(conn, schema), 0) << conn.error().driverText;
        EXPECT_EQ(cat.mismatch(sql), c.words) << c.change;
        ASSERT_EQ(conn.exec("ROLLBACK"), 0);
    }
    PgCatalogue cat;
    ASSERT_EQ(cat.read(conn, schema), 0);
    EXPECT_EQ(cat.mismatch(sql), "");
}

}  // namespace
}  // namespace cdz::test
