// A declared file as a table of a PostgreSQL schema: its keys order records exactly as the same
// file does in SQLite, byte for byte, whatever the server's locale; the record count follows
// every add and delete; the change watch refuses a put over another station's.
#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "app/domain/data/SongRecord.h"
#include "runtime/data/DataFile.h"
#include "runtime/data/FileDeclBuilder.h"
#include "runtime/data/RecordCodec.h"
#include "runtime/data/pg/PgTableSql.h"
#include "runtime/text/Unicode.h"
#include "tests/runtime/pg/PgParams.h"
#include "tests/runtime/pg/PgSongs.h"
#include "tests/runtime/pg/PgTest.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

using pg::PgResult;
using pg::PgTableSql;

TEST(PgTableSql, NamesStayWithinTheServersLimitAndApart) {
    const std::string longA(70, 'a');
    const std::string longB = std::string(69, 'a') + "b";
    std::string accented;
    while (accented.size() < 80) accented += "é";
    const struct {
        std::string name;
        std::string quoted;  // "" when only its length and validity are known
    } cases[] = {
        {"SongsByArtist", "\"SongsByArtist\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {std::string(63, 'x'), "\"" + std::string(63, 'x') + "\""},
        {longA, ""},
        {longB, ""},
        {accented, ""},
    };
    for (const auto& c : cases) {
        const std::string q = PgTableSql::identifier(c.name);
        EXPECT_LE(q.size(), PgTableSql::kMaxIdentifier + 2) << c.name;
        if (!c.quoted.empty()) {
            EXPECT_EQ(q, c.quoted);
            continue;
        }
        // Cut on a character's boundary: the byte before the hash starts no sequence.
        const auto hash = q.rfind('_');
        ASSERT_NE(hash, std::string::npos) << q;
        EXPECT_LT(static_cast<unsigned char>(q[hash - 1]), 0xC0) << q;
    }
    EXPECT_NE(PgTableSql::identifier(longA), PgTableSql::identifier(longB));
}

class PgTableSqlTest : public PgTest {
protected:
    void SetUp() override {
        PgTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        createTable(sql);
        if (HasFatalFailure()) return;
    }

    // Adds a record; its number, or -1 with the runtime code in `code`.
    int64_t add(const SongRecord& rec, bool autoNumber, int* code = nullptr,
                int32_t* id = nullptr) {
        const KeyDesc* autoKey = autoNumber ? &decl.keys()[SongRecord::KeyID] : nullptr;
        PgResult r;
        const int rc = conn.query(sql.insert(autoKey), insertParams(decl, sql, &rec, autoKey), &r);
        if (code) *code = rc;
        if (rc || r.rows() != 1) return -1;
        if (id && autoNumber) *id = static_cast<int32_t>(std::get<int64_t>(r.value(0, 1)));
        return std::get<int64_t>(r.value(0, 0));
    }

    int64_t records() {
        PgResult r;
        EXPECT_EQ(conn.query(sql.recordCount(), {}, &r), 0) << conn.error().driverText;
        return r.rows() == 1 ? std::get<int64_t>(r.value(0, 0)) : -1;
    }

    // Every song into the SQLite file and into the table, each getting the same record number
    // and auto number in both.
    void addToBoth() {
        ASSERT_EQ(songs.create(), 0) << db.error().driverText;
        ASSERT_EQ(songs.open(), 0) << db.error().driverText;
        for (const auto& s : kSongs) {
            fill(song, s);
            ASSERT_EQ(songs.add(), 0) << s.artist << " " << db.error().driverText;
            SongRecord rec;
            fill(rec, s);
            int32_t id = 0;
            ASSERT_EQ(add(rec, true, nullptr, &id), songs.recordNumber())
                << conn.error().driverText;
            ASSERT_EQ(id, song.ID) << s.artist;
        }
    }

    // Record numbers along a key of the SQLite file.
    std::vector<int64_t> sqliteOrder(int key) {
        std::vector<int64_t> order;
        EXPECT_EQ(songs.set(key), 0);
        while (songs.next() == 0) order.push_back(songs.recordNumber());
        return order;
    }

    // Record numbers of the table's records as a statement's tail selects and orders them.
    std::vector<int64_t> pgRecnos(const std::string& tail, const SqlValues& params) {
        PgResult r;
        EXPECT_EQ(conn.query("SELECT " + std::string(PgTableSql::kRecno) + " FROM " + sql.ref() +
                                 " " + tail,
                             params, &r),
                  0)
            << tail << ": " << conn.error().driverText;
        std::vector<int64_t> out;
        for (int i = 0; i < r.rows(); ++i) out.push_back(std::get<int64_t>(r.value(i, 0)));
        return out;
    }

    const FileDecl& decl = SongRecord::declaration();
    PgTableSql sql{decl, schema, "Cadenzio"};
    TempDir dir;
    Database db{dir.path()};
    SongRecord song;
    DataFile songs{db, decl, song};
};

TEST_F(PgTableSqlTest, EveryKeyOrdersAsTheSqliteFileDoes) {
    ASSERT_NO_FATAL_FAILURE(addToBoth());
    for (int k = 0; k < static_cast<int>(decl.keys().size()); ++k) {
        const KeyDesc& key = decl.keys()[static_cast<size_t>(k)];
        EXPECT_EQ(pgRecnos("ORDER BY " + sql.orderBy(key), {}), sqliteOrder(k)) << key.name;
    }
}

TEST_F(PgTableSqlTest, PagesAlongEveryKeyAsTheSqliteFileDoes) {
    ASSERT_NO_FATAL_FAILURE(addToBoth());
    constexpr size_t kPage = 3;
    for (int k = 0; k < static_cast<int>(decl.keys().size()); ++k) {
        const KeyDesc& key = decl.keys()[static_cast<size_t>(k)];
        const auto order = sqliteOrder(k);
        for (size_t i = 0; i < order.size(); ++i) {
            ASSERT_EQ(songs.getRecord(order[i]), 0);
            SqlValues position = RecordCodec::keyValues(decl, key, &song, nullptr);
            position.emplace_back(std::in_place_type<int64_t>, order[i]);
            const std::vector<int64_t> expected(
                order.begin() + static_cast<long>(i) + 1,
                order.begin() + static_cast<long>(std::min(order.size(), i + 1 + kPage)));
            EXPECT_EQ(pgRecnos("WHERE " + sql.after(key) + " ORDER BY " + sql.orderBy(key) +
                                   " LIMIT " + std::to_string(kPage),
                               position),
                      expected)
                << key.name << " after record " << order[i];
        }
    }
}

TEST_F(PgTableSqlTest, TheRecordCountFollowsAddsAndDeletes) {
    PgResult layout;
    ASSERT_EQ(conn.query("SELECT layout FROM " + schema + ".cdz_layout WHERE tbl = $1",
                         {std::string("Cadenzio")}, &layout),
              0);
    ASSERT_EQ(layout.rows(), 1);
    EXPECT_EQ(layout.text(0, 0), decl.layoutSignature());

    SongRecord rec;
    auto addSong = [&](int i) {
        fill(rec, kSongs[i]);
        rec.ID = 100 + i;
        return add(rec, false) > 0 ? 0 : conn.error().code;
    };
    const std::string ref = sql.ref();
    const struct {
        const char* step;
        std::function<int()> run;
        int code;
        int64_t records;
    } steps[] = {
        {"new table", [] { return 0; }, 0, 0},
        {"three adds", [&] { return addSong(0) + addSong(1) + addSong(2); }, 0, 3},
        {"one delete", [&] { return conn.query(sql.remove(), {int64_t{2}}); }, 0, 2},
        {"adds rolled back",
         [&] {
             conn.exec("BEGIN");
             addSong(3);
             addSong(4);
             return conn.exec("ROLLBACK");
         },
         0, 2},
        {"a duplicate primary key", [&] { return addSong(0); }, err::kDuplicateKey, 2},
        {"a statement deleting many", [&] { return conn.exec("DELETE FROM " + ref); }, 0, 0},
        {"adds in one statement",
         [&] {
             return conn.exec("INSERT INTO " + ref +
                              "(\"ID\") SELECT g FROM generate_series(1, 5) g");
         },
         0, 5},
        {"emptied", [&] { return conn.exec("TRUNCATE " + ref); }, 0, 0},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(s.run(), s.code) << s.step << ": " << conn.error().driverText;
        EXPECT_EQ(records(), s.records) << s.step;
    }
}

TEST_F(PgTableSqlTest, AWatchedPutFailsOnceAnotherStationPutTheRecord) {
    SongRecord rec;
    fill(rec, kSongs[0]);
    const int64_t recno = add(rec, true);
    ASSERT_GT(recno, 0) << conn.error().driverText;
    auto put = [&](bool watched, int64_t revision) {
        const SqlValues params = insertParams(
            decl, sql, &rec, nullptr,
            watched ? std::vector<int64_t>{recno, revision} : std::vector<int64_t>{recno});
        PgResult r;
        EXPECT_EQ(conn.query(sql.update(watched), params, &r), 0) << conn.error().driverText;
        return r.affected();
    };
    EXPECT_EQ(put(true, 1), 1);   // read at revision 1, put: now 2
    EXPECT_EQ(put(false, 0), 1);  // another station's put: now 3
    EXPECT_EQ(put(true, 2), 0);   // read at 2: changed meanwhile
    EXPECT_EQ(put(true, 3), 1);
}

struct LabelRec {
    Text<20> Name;
    Text<10> Code;
    int32_t ID = 0;
};

const FileDecl& labelDecl() {
    static const FileDecl decl = FileDeclBuilder<LabelRec>("Labels", "LAB", "labels", 34)
                                     .field<&LabelRec::Name>("Name")
                                     .field<&LabelRec::Code>("Code")
                                     .field<&LabelRec::ID>("ID")
                                     .key("KeyName", {"Name"}, kUnique | kNoCase)
                                     .key("KeyCode", {"Code"}, kUnique | kBlanksRepeat)
                                     .key("KeyID", {"ID"}, kPrimary | kAutoNumber)
                                     .build();
    return decl;
}

TEST_F(PgTest, UniqueKeysRefuseWhatTheSqliteFileRefuses) {
    const FileDecl& decl = labelDecl();
    const PgTableSql sql(decl, schema, "Labels");
    for (const auto& s : sql.createSchema()) ASSERT_EQ(conn.exec(s), 0) << conn.error().driverText;
    for (const auto& s : sql.createTable()) ASSERT_EQ(conn.exec(s), 0) << conn.error().driverText;
    TempDir dir;
    Database db(dir.path());
    LabelRec label;
    DataFile labels(db, decl, label);
    ASSERT_EQ(labels.create(), 0) << db.error().driverText;
    ASSERT_EQ(labels.open(), 0) << db.error().driverText;
    const KeyDesc* autoKey = &decl.keys()[2];
    // Names compare with full case folding, codes exactly; blank codes may repeat.
    const struct {
        const char* name;
        const char* code;
        int result;
    } adds[] = {
        {"Björk", "B1", 0}, {"BJÖRK", "B2", err::kDuplicateKey},   {"bjork", "B3", 0},
        {"Straße", "", 0},  {"STRASSE", "S1", err::kDuplicateKey}, {"Ärzte", "", 0},
        {"Zed", "b1", 0},   {"Zoe", "B1", err::kDuplicateKey},
    };
    int64_t added = 0;
    for (const auto& a : adds) {
        label = LabelRec{};
        label.Name = a.name;
        label.Code = a.code;
        EXPECT_EQ(labels.add(), a.result) << a.name << " in SQLite";
        EXPECT_EQ(conn.query(sql.insert(autoKey), insertParams(decl, sql, &label, autoKey)),
                  a.result)
            << a.name << ": " << conn.error().driverText;
        added += a.result == 0;
    }
    pg::PgResult r;
    ASSERT_EQ(conn.query(sql.recordCount(), {}, &r), 0);
    EXPECT_EQ(r.value(0, 0), SqlValue(added));
    EXPECT_EQ(labels.records(), added);
}

}  // namespace
}  // namespace cdz::test
