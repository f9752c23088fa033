// Views: key and order-list orders, joins with blank records, filters, positions, pagination.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include "runtime/data/View.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (DataFile* f : {&songs, &cats, &entries}) {
            ASSERT_EQ(f->create(), 0);
            ASSERT_EQ(f->open(), 0);
        }
        for (auto name : {"Rock", "jazz", "Pop"}) {
            cat = CategoryRec{};
            cat.Category = name;
            ASSERT_EQ(cats.add(), 0);  // numbered 1, 2, 3
        }
        struct Row {
            const char* artist;
            const char* title;
            int32_t category;
            int16_t year;
        };
        for (Row r : {Row{"delta", "d1", 1, 1990},
                      {"Alpha", "a1", 2, 1970},
                      {"charlie", "C1", 9, 1985},
                      {"alpha", "a2", 0, 2001},
                      {"Bravo", "b1", 3, 1979}}) {
            song = SongRec{};
            song.Artist = r.artist;
            song.Title = r.title;
            song.CategoryID = r.category;
            song.Year = r.year;
            ASSERT_EQ(songs.add(), 0);
        }
    }

    // "title/category" of every row read forward (or backward) from the start.
    std::vector<std::string> walk(View& v, bool forward = true) {
        std::vector<std::string> out;
        EXPECT_EQ(v.setStart(), 0);
        while ((forward ? v.next() : v.previous()) == 0) {
            out.push_back(song.Title.str() + "/" + cat.Category.str());
        }
        EXPECT_EQ(db.error().code, err::kRecordNotAvailable) << db.error().driverText;
        return out;
    }

    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    CategoryRec cat;
    EntryRec entry;
    DataFile songs{db, songDecl(), song};
    DataFile cats{db, categoryDecl(), cat};
    DataFile entries{db, entryDecl(), entry};
    const int byArtist = songDecl().keyIndex("ByArtist");
};

TEST_F(ViewTest, KeyOrderWithJoinLeavesUnmatchedBlank) {
    View v{songs};
    ASSERT_EQ(v.addJoin(cats, {{"SNG:CategoryID", "CAT:CategoryID"}}), 0);
    ASSERT_EQ(v.setOrder(byArtist), 0);
    EXPECT_EQ(walk(v), (std::vector<std::string>{"a1/jazz", "a2/", "b1/Pop", "C1/", "d1/Rock"}));
    EXPECT_EQ(walk(v, false),
              (std::vector<std::string>{"d1/Rock", "C1/", "b1/Pop", "a2/", "a1/jazz"}));
    // The blank record is really cleared, not left from the row before.
    ASSERT_EQ(v.setStart(), 0);
    ASSERT_EQ(v.next(), 0);
    EXPECT_EQ(cat.CategoryID.toInt(), 2);
    ASSERT_EQ(v.next(), 0);
    EXPECT_EQ(cat.CategoryID.toInt(), 0);
    EXPECT_EQ(cats.recordNumber(), 0);
    EXPECT_EQ(songs.recordNumber(), 4);  // the view's record is the file's current record
}

TEST_F(ViewTest, OrderListsWithDirectionAndCase) {
    View v{songs};
    ASSERT_EQ(v.addJoin(cats, {{"SNG:CategoryID", "CAT:CategoryID"}}), 0);
    struct Case {
        const char* order;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"SNG:Title", {"C1/", "a1/jazz", "a2/", "b1/Pop", "d1/Rock"}},
        {"UPPER(SNG:Title)", {"a1/jazz", "a2/", "b1/Pop", "C1/", "d1/Rock"}},
        {"-SNG:Year", {"a2/", "d1/Rock", "C1/", "b1/Pop", "a1/jazz"}},
        {"-UPPER(SNG:Artist), SNG:Title", {"d1/Rock", "C1/", "b1/Pop", "a1/jazz", "a2/"}},
        {"UPPER(CAT:Category), -SNG:Title", {"a2/", "C1/", "a1/jazz", "b1/Pop", "d1/Rock"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order);
        ASSERT_EQ(v.setOrder(c.order), 0);
        EXPECT_EQ(walk(v), c.expected);
        auto backward = c.expected;
        std::reverse(backward.begin(), backward.end());
        EXPECT_EQ(walk(v, false), backward);
    }
    EXPECT_EQ(v.setOrder("SNG:Nothing"), err::kInvalidKeyLength);
    EXPECT_EQ(v.setOrder("SNG:Notes"), err::kInvalidKeyLength);  // memos do not order
}

TEST_F(ViewTest, PositionsAndValuesPlaceTheView) {
    View v{songs};
    ASSERT_EQ(v.setOrder("-SNG:Year"), 0);
    ASSERT_EQ(v.setStart(), 0);
    ASSERT_EQ(v.next(), 0);
    ASSERT_EQ(v.next(), 0);
    std::string at = v.position();  // d1, 1990
    ASSERT_EQ(v.next(), 0);
    ASSERT_EQ(v.reset(at), 0);
    ASSERT_EQ(v.next(), 0);
    EXPECT_EQ(song.Title, "d1");
    ASSERT_EQ(v.reset(at), 0);
    ASSERT_EQ(v.previous(), 0);
    EXPECT_EQ(song.Title, "d1");  // the record itself either way
    ASSERT_EQ(v.previous(), 0);
    EXPECT_EQ(song.Title, "a2");
    EXPECT_EQ(v.reset("P1;"), err::kRecordNotFound);  // a token of another order

    ASSERT_EQ(v.setOrder(byArtist), 0);
    song = SongRec{};
    song.Artist = "C";
    ASSERT_EQ(v.setAtValues(), 0);
    ASSERT_EQ(v.next(), 0);
    EXPECT_EQ(song.Title, "C1");
    song = SongRec{};
    song.Artist = "C";
    ASSERT_EQ(v.setAtValues(), 0);
    ASSERT_EQ(v.previous(), 0);
    EXPECT_EQ(song.Title, "b1");

    ASSERT_EQ(v.readRecord(2), 0);
    EXPECT_EQ(song.Title, "a1");
    EXPECT_EQ(v.readRecord(99), err::kRecordNotFound);
}

// A prefix keeps the records whose leading order value equals the buffer's, as the key
// compares it, beside a pushed-down filter; setting the order again drops it.
TEST_F(ViewTest, APrefixLimitsTheOrderToItsLeadingValue) {
    View v{songs};
    ASSERT_EQ(v.addJoin(cats, {{"SNG:CategoryID", "CAT:CategoryID"}}), 0);
    ASSERT_EQ(v.setOrder(byArtist), 0);
    song.Artist = "ALPHA";
    ASSERT_EQ(v.setPrefix(1), 0);
    song.Artist = "delta";  // the value is taken when the prefix is set
    EXPECT_EQ(walk(v), (std::vector<std::string>{"a1/jazz", "a2/"}));
    EXPECT_EQ(walk(v, false), (std::vector<std::string>{"a2/", "a1/jazz"}));
    ASSERT_EQ(v.setFilter(nullptr, SqlFilter{"{SNG:Year} > ?", {int64_t{1980}}}), 0);
    EXPECT_EQ(walk(v), (std::vector<std::string>{"a2/"}));
    ASSERT_EQ(v.setOrder(byArtist), 0);
    EXPECT_EQ(walk(v), (std::vector<std::string>{"a2/", "C1/", "d1/Rock"}));
}

TEST_F(ViewTest, FilterHookAndPushDown) {
    View v{songs};
    ASSERT_EQ(v.addJoin(cats, {{"SNG:CategoryID", "CAT:CategoryID"}}), 0);
    ASSERT_EQ(v.setOrder(byArtist), 0);
    int seen = 0;
    // The predicate sees the joined buffers already filled.
    ASSERT_EQ(v.setFilter([&] {
        ++seen;
        return !cat.Category.empty();
    }),
              0);
    EXPECT_EQ(walk(v), (std::vector<std::string>{"a1/jazz", "b1/Pop", "d1/Rock"}));
    EXPECT_EQ(seen, 5);
    ASSERT_EQ(v.setFilter([&] { return !cat.Category.empty(); },
                          SqlFilter{"{SNG:Year} < ? AND {CAT:Category} <> ?",
                                    {int64_t{1989}, std::string("Pop")}}),
              0);
    EXPECT_EQ(walk(v), (std::vector<std::string>{"a1/jazz"}));
    EXPECT_EQ(walk(v, false), (std::vector<std::string>{"a1/jazz"}));
    EXPECT_EQ(v.setFilter(nullptr, SqlFilter{"{SNG:Nope} = 1", {}}), err::kInvalidKeyLength);
    EXPECT_EQ(db.error().code, err::kInvalidKeyLength);
}

TEST_F(ViewTest, ChainedJoinsFromEntriesToSongsToCategories) {
    for (int32_t songId : {5, 3, 42}) {
        entry = EntryRec{};
        entry.ListID = 7;
        entry.SongID = Decimal<6, 0>::fromRaw(songId);
        ASSERT_EQ(entries.add(), 0);
    }
    View v{entries};
    ASSERT_EQ(v.addJoin(songs, {{"ENT:SongID", "SNG:ID"}}), 0);
    ASSERT_EQ(v.addJoin(cats, {{"SNG:CategoryID", "CAT:CategoryID"}}), 0);
    ASSERT_EQ(v.setOrder(entryDecl().keyIndex("KeyList")), 0);
    EXPECT_EQ(walk(v), (std::vector<std::string>{"b1/Pop", "C1/", "/"}));
    EXPECT_EQ(v.addJoin(cats, {{"XYZ:Nothing", "CAT:CategoryID"}}), err::kInvalidKeyLength);
}

TEST_F(ViewTest, LongScanPagesAndReachesEveryRecord) {
    ASSERT_EQ(songs.stream(), 0);
    for (int i = 0; i < 3000; ++i) {
        song = SongRec{};
        song.Artist = "many";
        song.Title = "m" + std::to_string(100000 + i);
        song.Year = static_cast<int16_t>(i % 7);
        ASSERT_EQ(songs.add(), 0);
    }
    ASSERT_EQ(songs.flush(), 0);
    View v{songs};
    ASSERT_EQ(v.setOrder(byArtist), 0);
    ASSERT_EQ(v.setFilter([&] { return song.Year == 3; }), 0);
    int n = 0;
    std::string last;
    ASSERT_EQ(v.setStart(), 0);
    while (v.next() == 0) {
        EXPECT_LT(last, song.Title.str());
        last = song.Title.str();
        ++n;
    }
    EXPECT_EQ(n, 3000 / 7 + 1);
}

// Rows fetched ahead in pages of any size read as rows fetched one at a time: across a page's
// end, when the direction turns inside a page, and in the position tokens, the one of the last
// record read included after a move that found nothing.
TEST_F(ViewTest, PagesOfAnySizeReadAsSingleRows) {
    std::vector<std::string> singleTokens;
    for (int page : {1, 2, 3, 64}) {
        SCOPED_TRACE(page);
        View v{songs};
        v.setPageSize(page);
        ASSERT_EQ(v.setOrder(byArtist), 0);
        ASSERT_EQ(v.setStart(), 0);
        std::vector<std::string> titles;
        std::vector<std::string> tokens;
        for (char move : std::string("nnnppnnnnn")) {
            const int code = move == 'n' ? v.next() : v.previous();
            titles.push_back(code == 0 ? song.Title.str() : std::to_string(code));
            tokens.push_back(v.position());
        }
        EXPECT_EQ(titles, (std::vector<std::string>{"a1", "a2", "b1", "a2", "a1", "a2", "b1", "C1",
                                                    "d1", "33"}));
        EXPECT_EQ(tokens[9], tokens[8]);  // nothing found: still the last record read
        if (page == 1) singleTokens = tokens;
        EXPECT_EQ(tokens, singleTokens);
        ASSERT_EQ(v.reset(tokens[2]), 0);
        ASSERT_EQ(v.previous(), 0);
        EXPECT_EQ(song.Title, "b1");
        ASSERT_EQ(v.previous(), 0);
        EXPECT_EQ(song.Title, "a2");
    }
}

// The statement a key order reads with walks the key's index: no scan of the table, no sort.
TEST_F(ViewTest, KeyOrderReadsThroughTheIndex) {
    const auto& t = songs.sql();
    const auto& k = songDecl().keys()[static_cast<size_t>(byArtist)];
    std::vector<OrderTerm> terms{{t.keyColumn(k, 0), false}, {t.keyColumn(k, 1), false}};
    KeysetQuery q(t.selectList(), t.ref(), terms, TableSql::kRecno);
    // A server on a table this small would rather read it all; asked not to, it must still
    // find the order in the index.
    if (onServer()) {
        ASSERT_EQ(db.exec("SET enable_seqscan = off"), 0);
    }
    for (bool forward : {true, false}) {
        for (bool bounded : {true, false}) {
            Statement plan = db.statement((onServer() ? "EXPLAIN " : "EXPLAIN QUERY PLAN ") +
                                          q.sql(forward, bounded));
            ASSERT_TRUE(plan) << db.error().driverText;
            std::string text;
            while (plan.step().row()) {
                text += std::string(plan.text(onServer() ? 0 : 3));
                text += "\n";
            }
            EXPECT_NE(text.find("Songs__ByArtist"), std::string::npos) << text;
            EXPECT_EQ(text.find(onServer() ? "Sort" : "TEMP B-TREE"), std::string::npos) << text;
        }
    }
}

// A listed order reads the records SQLite's own order reads, both ways, under a pushed-down
// filter and a tested one, and from a position and from a value.
TEST_F(ViewTest, AListedOrderReadsAsTheQueryOrders) {
    for (int i = 0; i < 40; ++i) {
        song = SongRec{};
        song.Artist = i % 3 ? "Alpha" : "bravo";
        song.Title = (i % 2 ? "Ökö " : "oko ") + std::to_string(i % 5) + "x" + std::to_string(i);
        song.Year = static_cast<int16_t>(1960 + (i * 7) % 11);
        song.CategoryID = i % 4;
        ASSERT_EQ(songs.add(), 0);
    }
    View sql{songs}, listed{songs};
    for (View* v : {&sql, &listed}) {
        ASSERT_EQ(v->addJoin(cats, {{"SNG:CategoryID", "CAT:CategoryID"}}), 0);
    }
    auto titles = [&](View& v, bool forward) {
        std::vector<std::string> out;
        EXPECT_EQ(v.setStart(), 0);
        while ((forward ? v.next() : v.previous()) == 0) out.push_back(song.Title.str());
        return out;
    };
    struct Case {
        const char* order;
        const char* where;  // pushed down
        bool tested;        // the program tests each record too
    };
    const Case cases[] = {
        {"UPPER(SNG:Title)", "", false},
        {"-UPPER(SNG:Title)", "{~SNG:Artist} = 'alpha'", false},
        {"SNG:Year", "{SNG:Year} > 1963", false},
        {"-SNG:Year", "", true},
        {"UPPER(CAT:Category)", "", false},
        {"-UPPER(CAT:Category)", "{~SNG:Artist} = 'alpha'", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        for (View* v : {&sql, &listed}) {
            ASSERT_EQ(v->setOrder(c.order), 0);
            std::function<bool()> test;
            if (c.tested) test = [&] { return song.Year != 1965; };
            ASSERT_EQ(v->setFilter(test, SqlFilter{c.where, {}}), 0);
        }
        ASSERT_EQ(listed.setListed(true), 0);
        const auto forward = titles(sql, true);
        ASSERT_GT(forward.size(), 4u);
        EXPECT_EQ(titles(listed, true), forward);
        EXPECT_EQ(titles(listed, false), titles(sql, false));
        ASSERT_EQ(listed.setStart(), 0);
        for (size_t i = 0; i < forward.size() / 2; ++i) ASSERT_EQ(listed.next(), 0);
        const std::string at = listed.position();
        const std::string title = song.Title.str();
        ASSERT_EQ(listed.reset(at), 0);
        ASSERT_EQ(listed.previous(), 0);
        EXPECT_EQ(song.Title.str(), title);
        ASSERT_EQ(listed.reset(at), 0);
        ASSERT_EQ(listed.next(), 0);
        EXPECT_EQ(song.Title.str(), title);
        // At the value in the buffers: the first record of that value, as SQLite starts there.
        ASSERT_EQ(sql.setAtValues(), 0);
        ASSERT_EQ(sql.next(), 0);
        const std::string first = song.Title.str();
        ASSERT_EQ(listed.reset(at), 0);
        ASSERT_EQ(listed.next(), 0);
        ASSERT_EQ(listed.setAtValues(), 0);
        ASSERT_EQ(listed.next(), 0);
        EXPECT_EQ(song.Title.str(), first);
    }
}

// A record written through the view's own connection is put in its place without a new sort;
// one deleted is passed over; a change by another connection makes the list again.
TEST_F(ViewTest, AListedOrderFollowsChanges) {
    View v{songs};
    ASSERT_EQ(v.addJoin(cats, {{"SNG:CategoryID", "CAT:CategoryID"}}), 0);
    ASSERT_EQ(v.setOrder("UPPER(SNG:Title)"), 0);
    ASSERT_EQ(v.setListed(true), 0);
    EXPECT_EQ(walk(v), (std::vector<std::string>{"a1/jazz", "a2/", "b1/Pop", "C1/", "d1/Rock"}));
    ASSERT_EQ(v.readRecord(1), 0);  // d1
    song.Title = "B0";
    ASSERT_EQ(songs.put(), 0);
    ASSERT_EQ(v.setAtRecord(), 0);
    ASSERT_EQ(v.next(), 0);
    EXPECT_EQ(song.Title, "B0");
    ASSERT_EQ(v.previous(), 0);
    EXPECT_EQ(song.Title, "a2");
    ASSERT_EQ(songs.getRecord(5), 0);  // b1
    ASSERT_EQ(songs.erase(), 0);
    EXPECT_EQ(walk(v), (std::vector<std::string>{"a1/jazz", "a2/", "B0/Rock", "C1/"}));

    TestDatabase other{dir.path()};
    SongRec song2;
    DataFile songs2{other, songDecl(), song2};
    ASSERT_EQ(songs2.open(), 0);
    song2.Artist = "x";
    song2.Title = "c0";
    ASSERT_EQ(songs2.add(), 0);
    EXPECT_EQ(walk(v), (std::vector<std::string>{"a1/jazz", "a2/", "B0/Rock", "c0/", "C1/"}));
    EXPECT_EQ(v.setOrder("SNG:Title, SNG:Year"), 0);
    EXPECT_EQ(v.setListed(true), err::kInvalidKeyLength);  // one term only
}

}  // namespace
}  // namespace cdz::test
