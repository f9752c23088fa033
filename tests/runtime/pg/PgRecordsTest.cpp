// The data layer's own pieces on the server: a record buffer bound and read back through the
// engine-neutral statement interfaces, and pages read along every key with the same SQL the
// SQLite file runs, translated, giving the same records page by page.
#include <optional>

#include <gtest/gtest.h>

#include "runtime/data/DataFile.h"
#include "runtime/data/KeysetQuery.h"
#include "runtime/data/RecordCodec.h"
#include "runtime/data/pg/PgDialect.h"
#include "runtime/data/pg/PgStatement.h"
#include "runtime/data/pg/PgTableSql.h"
#include "tests/runtime/pg/PgSongs.h"
#include "tests/runtime/pg/PgTest.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

using pg::PgStatement;
using pg::PgTableSql;
using Step = PgStatement::Step;

class PgRecordsTest : public PgTest {
protected:
    void SetUp() override {
        PgTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        createTable(sql);
        if (HasFatalFailure()) return;
    }

    // Adds through the table's insert; the record number, the auto number into `rec`.
    int64_t add(SongRecord& rec) {
        const KeyDesc* autoKey = &decl.keys()[SongRecord::KeyID];
        PgStatement insert(conn, sql.insert(autoKey));
        RecordCodec::bindRecord(insert, 1, decl, &rec, autoKey);
        if (insert.step() != Step::Row) return -1;
        rec.ID = static_cast<int32_t>(insert.integer(1));
        return insert.integer(0);
    }

    // A page of record numbers read with `q`'s SQL on the server, bound as KeysetQuery binds
    // it; `last` gets the bound after the page's last row.
    std::vector<int64_t> serverPage(const KeysetQuery& q, const SqlValues& filterParams,
                                    bool forward, const std::optional<KeysetBound>& bound,
                                    int limit, std::optional<KeysetBound>* last) {
        const auto t = pg::PgDialect::translate(q.sql(forward, bound.has_value()));
        EXPECT_TRUE(t.ok()) << t.refused;
        PgStatement stmt(conn, t.sql);
        int p = 1;
        for (const auto& v : filterParams) RecordCodec::bind(stmt, p++, v);
        if (bound) {
            for (const auto& v : bound->values) RecordCodec::bind(stmt, p++, v);
            stmt.bindInteger(p++, *bound->recno);
        }
        stmt.bindInteger(p, limit);
        std::vector<int64_t> out;
        StepResult s;
        while ((s = stmt.step()) == Step::Row) {
            out.push_back(stmt.integer(q.recnoColumn()));
            *last = q.boundOf(stmt);
        }
        EXPECT_EQ(s, Step::Done) << t.sql << ": " << conn.error().driverText;
        return out;
    }

    const FileDecl& decl = SongRecord::declaration();
    PgTableSql sql{decl, schema, "Cadenzio"};
};

TEST_F(PgRecordsTest, ARecordReadsBackAsItWasBound) {
    SongRecord rec;
    fill(rec, kSongs[0]);
    rec.Composer = "Guðmundsdóttir, Ωmega & \"日本\" 'quoted'";
    rec.AdditionalInformation1 = "?1 $1 -- not a parameter";
    rec.Side = "B";
    rec.Rating = "★";
    rec.ReleaseDate = -1;
    rec.LastPlayed = 2147483647;
    const int64_t recno = add(rec);
    ASSERT_GT(recno, 0) << conn.error().driverText;

    PgStatement select(conn, "SELECT " + sql.selectList() + " FROM " + sql.ref() + " WHERE " +
                                 PgTableSql::kRecno + " = $1");
    select.bindInteger(1, recno);
    ASSERT_EQ(select.step(), Step::Row) << conn.error().driverText;
    SongRecord back;
    int64_t readRecno = 0, revision = 0;
    ASSERT_TRUE(RecordCodec::readRecord(select, 0, decl, &back, &readRecno, &revision));
    EXPECT_EQ(readRecno, recno);
    EXPECT_EQ(revision, 1);
    for (const auto& f : decl.columns()) EXPECT_EQ(f.value(&back), f.value(&rec)) << f.name;
    EXPECT_EQ(select.step(), Step::Done);
}

TEST_F(PgRecordsTest, PagesAlongEveryKeyAsTheSqliteFileReadsThem) {
    TempDir dir;
    Database db(dir.path());
    SongRecord song;
    DataFile songs(db, decl, song);
    ASSERT_EQ(songs.create(), 0) << db.error().driverText;
    ASSERT_EQ(songs.open(), 0) << db.error().driverText;
    for (const auto& s : kSongs) {
        fill(song, s);
        ASSERT_EQ(songs.add(), 0) << db.error().driverText;
        SongRecord rec;
        fill(rec, s);
        ASSERT_EQ(add(rec), songs.recordNumber()) << conn.error().driverText;
    }
    const TableSql& lite = songs.sql();
    const int media = decl.columnIndex("Media");
    const int artist = decl.columnIndex("Artist");
    const struct {
        const char* name;
        bool firstDescending;  // a mixed-direction order
        std::string (*filter)(const std::string& media, const std::string& artist);
        SqlValues params;
    } cases[] = {
        {"along the key", false, nullptr, {}},
        {"first term descending", true, nullptr, {}},
        {"filtered",
         false,
         [](const std::string& m, const std::string& a) {
             return "IFNULL(" + m + ", '') <> ? AND instr(" + a + ", ?) = 0";
         },
         {std::string("CD"), std::string("ö")}},
    };
    constexpr int kPage = 4;
    for (const auto& c : cases) {
        for (const KeyDesc& key : decl.keys()) {
            std::vector<OrderTerm> liteTerms, serverTerms;
            for (int i = 0; i < static_cast<int>(key.components.size()); ++i) {
                const bool desc = c.firstDescending && i == 0;
                liteTerms.push_back({lite.keyColumn(key, i), desc});
                serverTerms.push_back({sql.keyColumn(key, i), desc});
            }
            const std::string liteFilter =
                c.filter ? c.filter(lite.column(media), lite.column(artist)) : "";
            const std::string serverFilter =
                c.filter ? c.filter(sql.column(media), sql.column(artist)) : "";
            const KeysetQuery liteQ(lite.selectList(), lite.ref(), liteTerms, TableSql::kRecno,
                                    liteFilter, c.params);
            const KeysetQuery serverQ(sql.selectList(), sql.ref(), serverTerms, PgTableSql::kRecno,
                                      serverFilter, c.params);
            for (bool forward : {true, false}) {
                std::optional<KeysetBound> bound;
                for (int page = 0; page < 20; ++page) {
                    std::vector<int64_t> expected;
                    std::optional<KeysetBound> liteLast, serverLast;
                    ASSERT_EQ(liteQ.fetch(db, forward, bound, kPage,
                                          [&](const ResultRow& row) {
                                              expected.push_back(row.integer(liteQ.recnoColumn()));
                                              liteLast = liteQ.boundOf(row);
                                              return true;
                                          }),
                              0)
                        << db.error().driverText;
                    const auto got =
                        serverPage(serverQ, c.params, forward, bound, kPage, &serverLast);
                    ASSERT_EQ(got, expected)
                        << c.name << ", " << key.name << (forward ? " forward" : " backward")
                        << ", page " << page;
                    if (expected.empty()) break;
                    // The same values read back on both sides, which the next page binds.
                    ASSERT_EQ(serverLast->values, liteLast->values) << key.name;
                    bound = liteLast;
                }
            }
        }
    }
}

}  // namespace
}  // namespace cdz::test
