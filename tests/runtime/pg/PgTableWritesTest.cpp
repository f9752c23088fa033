// Writes beyond add, put and delete: a value replaced across every record that has it, the
// owner row of an enciphered table, and the change stamp another station watches.
#include <functional>

#include <gtest/gtest.h>

#include "runtime/text/SortKey.h"
#include "tests/runtime/pg/PgTracks.h"

namespace cdz::test {
namespace {

using pg::PgResult;

using PgTableWritesTest = PgTracksTest;

TEST_F(PgTableWritesTest, ReplaceChangesEveryRecordTheKeyFindsAndItsFoldedCopy) {
    for (const auto& [artist, title] : {std::pair{"Björk", "Jóga"},
                                        {"BJÖRK", "Hyperballad"},
                                        {"bjork", "Isobel"},
                                        {"Abba", "SOS"}}) {
        ASSERT_EQ(conn.query(insertSql(), track(artist, title)), 0) << conn.error().driverText;
    }
    const KeyDesc& byArtist = decl.keys()[0];
    const KeyDesc& byTitle = decl.keys()[1];
    const struct {
        const KeyDesc* key;
        SqlValues params;
        int code;
        int64_t changed;
    } cases[] = {
        // The case-insensitive key finds both spellings by the folded value.
        {&byArtist, {std::string("Bjørk"), sortKey("Bjørk"), sortKey("BJÖRK")}, 0, 2},
        {&byArtist, {std::string("X"), std::string("x"), std::string("nobody")}, 0, 0},
        // The exact key finds its value only as written.
        {&byTitle, {std::string("Sos"), std::string("sos"), std::string("sos")}, 0, 0},
        {&byTitle, {std::string("Sos"), std::string("sos"), std::string("SOS")}, 0, 1},
        // A unique key refuses a value another record has, and changes nothing.
        {&byTitle,
         {std::string("Jóga"), sortKey("Jóga"), std::string("Isobel")},
         err::kDuplicateKey,
         0},
    };
    for (const auto& c : cases) {
        PgResult r;
        EXPECT_EQ(conn.query(sql.replace(*c.key), c.params, &r), c.code)
            << std::get<std::string>(c.params.back()) << ": " << conn.error().driverText;
        EXPECT_EQ(c.code ? 0 : r.affected(), c.changed) << std::get<std::string>(c.params.back());
    }
    PgResult rows;
    ASSERT_EQ(conn.query("SELECT \"Artist\", \"Artist__fold\", \"Title\", cdz_rev FROM " +
                             sql.ref() + " ORDER BY cdz_recno",
                         {}, &rows),
              0)
        << conn.error().driverText;
    const std::vector<SqlValues> expected{
        {std::string("Bjørk"), sortKey("Bjørk"), std::string("Jóga"), int64_t{2}},
        {std::string("Bjørk"), sortKey("Bjørk"), std::string("Hyperballad"), int64_t{2}},
        {std::string("bjork"), std::string("bjork"), std::string("Isobel"), int64_t{1}},
        {std::string("Abba"), std::string("abba"), std::string("Sos"), int64_t{2}},
    };
    ASSERT_EQ(rows.rows(), static_cast<int>(expected.size()));
    for (int i = 0; i < rows.rows(); ++i) EXPECT_EQ(rows.row(i), expected[size_t(i)]) << i;
}

TEST_F(PgTableWritesTest, TheOwnerRowIsReplacedNotAddedTwice) {
    const pg::PgTableSql albums(decl, schema, "Albums");
    const struct {
        const pg::PgTableSql* table;
        const char* salt;
        const char* proof;
    } owners[] = {{&sql, "s1", "p1"}, {&albums, "o'salt", "p2"}, {&sql, "s3", "p'3"}};
    for (const auto& o : owners) {
        for (const auto& s : o.table->createOwner(o.salt, o.proof)) {
            ASSERT_EQ(conn.exec(s), 0) << s << "\n" << conn.error().driverText;
        }
    }
    PgResult r;
    ASSERT_EQ(
        conn.query("SELECT tbl, salt, proof FROM " + schema + ".cdz_owner ORDER BY tbl", {}, &r), 0)
        << conn.error().driverText;
    ASSERT_EQ(r.rows(), 2);
    EXPECT_EQ(r.row(0),
              (SqlValues{std::string("Albums"), std::string("o'salt"), std::string("p2")}));
    EXPECT_EQ(r.row(1), (SqlValues{std::string("Tracks"), std::string("s3"), std::string("p'3")}));
}

TEST_F(PgTableWritesTest, TheStampMovesWithEveryCommittedChangeAndNothingElse) {
    ASSERT_EQ(conn.query(insertSql(), track("Abba", "SOS")), 0) << conn.error().driverText;
    const std::string ref = sql.ref();
    auto otherRuns = [&](std::string statement) {
        return [this, statement] { return other.exec(statement); };
    };
    const struct {
        const char* step;
        std::function<int()> run;
        bool moves;
    } steps[] = {
        {"a read", [&] { return conn.exec("SELECT * FROM " + ref); }, false},
        {"another station's add",
         [&] { return other.query(insertSql(), track("Abba", "Waterloo")); }, true},
        {"an update that finds nothing",
         otherRuns("UPDATE " + ref + " SET \"Title\" = 'x' WHERE cdz_recno = 99"), false},
        {"an update", otherRuns("UPDATE " + ref + " SET cdz_rev = cdz_rev + 1"), true},
        {"an add not yet committed",
         otherRuns("BEGIN; INSERT INTO " + ref + "(\"ID\", \"Title\") VALUES (7, 'y')"), false},
        {"its commit", otherRuns("COMMIT"), true},
        {"an add rolled back",
         otherRuns("BEGIN; INSERT INTO " + ref + "(\"ID\", \"Title\") VALUES (8, 'z'); ROLLBACK"),
         false},
        {"a delete", otherRuns("DELETE FROM " + ref + " WHERE \"ID\" = 7"), true},
        {"a delete that finds nothing", otherRuns("DELETE FROM " + ref + " WHERE \"ID\" = 7"),
         false},
        {"emptied", otherRuns("TRUNCATE " + ref), true},
    };
    int64_t before = stamp();
    ASSERT_GE(before, 0) << conn.error().driverText;
    for (const auto& s : steps) {
        ASSERT_EQ(s.run(), 0) << s.step << ": " << other.error().driverText
                              << conn.error().driverText;
        const int64_t now = stamp();
        EXPECT_EQ(now != before, s.moves) << s.step;
        before = now;
    }
    EXPECT_EQ(records(), 0);
}

}  // namespace
}  // namespace cdz::test
