// Filter texts on views: the records a filtered view reads are exactly those the compiled
// filter accepts, whatever part of the text went down to SQLite; and the part that goes down
// is the one the translator promises.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "runtime/data/FilterTranslator.h"
#include "runtime/data/RecordBindings.h"
#include "runtime/data/View.h"
#include "runtime/data/ViewFilter.h"
#include "runtime/expr/ExprParser.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/runtime/data/TestFiles.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

class ViewFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (DataFile* f : {&songs, &cats}) {
            ASSERT_EQ(f->create(), 0);
            ASSERT_EQ(f->open(), 0);
        }
        for (auto name : {"Rock", "", "Jazz"}) {
            cat = CategoryRec{};
            cat.Category = name;
            ASSERT_EQ(cats.add(), 0);  // numbered 1, 2, 3
        }
        struct Row {
            const char* artist;
            const char* title;
            int32_t category;
            uint8_t rating;
            int16_t year;
            double price;
            const char* notes;
        };
        const Row rows[] = {
            {"Björk", "Jóga", 1, 5, 1997, 12.5, "x marks"},
            {"BJÖRK", "Army of Me", 3, 4, 1995, 10.5, ""},
            {"björk  ", "abc", 0, 0, 2001, 0, "notes"},
            {"Abba", "ABCD", 2, 5, 1976, 9.99, ""},
            {"straße", "Straße", 9, 3, 1990, 10.51, "Grüße"},
            {"", "", 0, 0, 0, 0, ""},
            {"A", "abcdef ", 1, 1, 1989, 100, "x"},
        };
        for (const Row& r : rows) {
            song = SongRec{};
            song.Artist = r.artist;
            song.Title = r.title;
            song.CategoryID = r.category;
            song.Rating = r.rating;
            song.Year = r.year;
            song.Price = r.price;
            song.Notes = r.notes;
            ASSERT_EQ(songs.add(), 0);
        }
        RecordBindings::bind(bindings, songDecl(), &song);
        RecordBindings::bind(bindings, categoryDecl(), &cat);
        bindings.bind("LOC:Name", &locName);
        bindings.bind("Artist", &bareArtist);  // a variable with a field's bare name
    }

    // Record numbers the view reads forward with the filter set.
    std::set<int64_t> viewed(View& v) {
        std::set<int64_t> out;
        EXPECT_EQ(v.setStart(), 0);
        while (v.next() == 0) out.insert(songs.recordNumber());
        EXPECT_EQ(db.error().code, err::kRecordNotAvailable) << db.error().driverText;
        return out;
    }

    // Record numbers whose records the compiled filter accepts, read one by one.
    std::set<int64_t> accepted(std::string_view text) {
        Expression e;
        EXPECT_TRUE(e.compile(text, bindings)) << e.error().message;
        std::set<int64_t> out;
        View all{songs};
        EXPECT_EQ(all.addJoin(cats, {{"SNG:CategoryID", "CAT:CategoryID"}}), 0);
        EXPECT_EQ(all.setStart(), 0);
        while (all.next() == 0) {
            if (e.test()) out.insert(songs.recordNumber());
        }
        return out;
    }

    TempDir dir;
    TestDatabase db{dir.path()};
    SongRec song;
    CategoryRec cat;
    DataFile songs{db, songDecl(), song};
    DataFile cats{db, categoryDecl(), cat};
    Bindings bindings;
    Text<20> locName{"björk"};
    Text<20> bareArtist{"Abba"};
};

enum class Push { None, Part, Whole };

TEST_F(ViewFilterTest, ReadsExactlyWhatTheFilterAcceptsWhateverGoesDown) {
    struct Row {
        const char* text;
        Push push;
        size_t count;  // records accepted, as a check on the data
    };
    const Row rows[] = {
        {"SNG:Artist = 'Björk'", Push::Whole, 1},
        {"SNG:Artist = 'björk'", Push::Whole, 1},  // stored clipped, trailing blanks ignored
        {"SNG:Artist = 'Björk   '", Push::Whole, 1},
        {"UPPER(SNG:Artist) = 'BJÖRK'", Push::Whole, 3},
        {"UPPER(SNG:Artist) = UPPER('björk')", Push::Whole, 3},
        {"LOWER(SNG:Title) = 'straße'", Push::Whole, 1},
        {"INSTRING('ÖR',UPPER(SNG:Artist),1,1)", Push::Whole, 3},
        {"INSTRING('x',SNG:Notes,1,1)", Push::Whole, 2},
        {"NOT INSTRING('x',SNG:Notes,1,1)", Push::Whole, 5},
        {"INSTRING('x',SNG:Notes,1,1) > 1", Push::Whole, 0},
        {"UPPER(SUB(SNG:Title,1,3)) = 'ABC'", Push::Whole, 3},
        {"SUB(SNG:Title,4,4) = 'def'", Push::Whole, 1},  // "def " compares as "def"
        {"CLIP(SNG:Title) = 'abcdef'", Push::Whole, 1},
        {"SNG:Price > 10.5", Push::Whole, 3},
        {"SNG:Price = 10.5", Push::Whole, 1},
        {"SNG:Rating = 5 AND SNG:Year >= 1990", Push::Whole, 1},
        {"SNG:Artist = 'Abba' OR SNG:CategoryID = 3", Push::Whole, 2},
        {"SNG:Title", Push::Whole, 6},
        {"NOT SNG:Rating", Push::Whole, 2},
        {"SNG:Title < 'B' AND SNG:Title >= 'A'", Push::Whole, 2},
        {"CAT:Category = ''", Push::Whole, 4},  // no category, a blank one, and none joined
        {"CAT:Category = 'Rock' OR SNG:Artist = 'Abba'", Push::Whole, 3},
        {"UPPER(SNG:Artist) = UPPER(LOC:Name)", Push::None, 3},
        {"Artist = SNG:Artist", Push::None, 1},
        {"SNG:Rating = '5'", Push::None, 2},
        {"SNG:Rating + 1 = 6 AND UPPER(SNG:Artist) = 'BJÖRK'", Push::Part, 1},
        {"NOT (SNG:Rating + 1 = 6 AND SNG:Artist = 'Abba')", Push::None, 6},
        {"SNG:Rating + 1 = 6 OR SNG:Artist = 'Abba'", Push::None, 2},
        {"INSTRING('',SNG:Notes,1,1)", Push::None, 0},
        {"INSTRING('x',SNG:Notes,2,1)", Push::Part, 2},  // the folded copy holds "x" too
        {"SNG:Year > 1000 AND 1", Push::Whole, 6},
        // Constants a whole-number field cannot hold stay with the filter, on either engine.
        {"SNG:Rating < 2.5", Push::None, 3},
        {"SNG:Rating < 40000", Push::None, 7},
        {"SNG:Year < 99999999999999999999999999999999", Push::None, 7},
        {"SNG:Year > -40000 AND SNG:Rating = 5", Push::Part, 2},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        View v{songs};
        ASSERT_EQ(v.addJoin(cats, {{"SNG:CategoryID", "CAT:CategoryID"}}), 0);
        ASSERT_EQ(v.setOrder(0), 0);
        ViewFilter filter;
        ASSERT_TRUE(filter.apply(v, r.text, bindings)) << filter.error().message;
        // A server runs no UPPER or LOWER of the program's: those stay with the filter.
        const std::string_view text = r.text;
        if (!onServer() || (text.find("UPPER(") == text.npos && text.find("LOWER(") == text.npos)) {
            EXPECT_EQ(filter.pushedDown(), r.push != Push::None);
            EXPECT_EQ(filter.exact(), r.push == Push::Whole);
        }
        auto expected = accepted(r.text);
        EXPECT_EQ(expected.size(), r.count);
        EXPECT_EQ(viewed(v), expected);
    }
}

TEST_F(ViewFilterTest, AnEmptyAnswerIsNotRememberedPastANewMatch) {
    View v{songs};
    ASSERT_EQ(v.setOrder(0), 0);
    ViewFilter filter;
    ASSERT_TRUE(filter.apply(v, "SNG:Year = 1234 OR SNG:Artist = 'Zed'", bindings));
    ASSERT_TRUE(filter.pushedDown());
    EXPECT_EQ(v.setStart(), 0);
    EXPECT_EQ(v.next(), err::kRecordNotAvailable);
    EXPECT_EQ(v.previous(), err::kRecordNotAvailable);
    song = SongRec{};
    song.Artist = "Zed";
    song.Title = "Late";
    song.Year = 1;
    ASSERT_EQ(songs.add(), 0);
    const int64_t added = songs.recordNumber();
    song = SongRec{};
    EXPECT_EQ(v.next(), 0);  // no new positioning: the view still sees the record
    EXPECT_EQ(songs.recordNumber(), added);
    EXPECT_EQ(song.Artist, "Zed");
    EXPECT_EQ(v.next(), err::kRecordNotAvailable);
}

TEST_F(ViewFilterTest, TextThatDoesNotCompileStopsTheViewUntilSetAgain) {
    View v{songs};
    ViewFilter filter;
    ASSERT_TRUE(filter.apply(v, "SNG:Rating = 5", bindings));
    EXPECT_EQ(viewed(v).size(), 2u);
    EXPECT_FALSE(filter.apply(v, "SNG:Rating = (5", bindings));
    EXPECT_GT(filter.error().position, 0);
    EXPECT_FALSE(filter.error().message.empty());
    // Reading on unfiltered would show records the user filtered out.
    EXPECT_EQ(v.setStart(), err::kInvalidKeyLength);
    EXPECT_EQ(v.next(), err::kInvalidKeyLength);
    ASSERT_TRUE(filter.apply(v, "SNG:Rating = 5", bindings));
    EXPECT_EQ(viewed(v).size(), 2u);
    ASSERT_TRUE(filter.apply(v, "  ", bindings));  // blank: no filter
    EXPECT_EQ(viewed(v).size(), 7u);
}

// An order or filter that cannot be set leaves a view that reads nothing (and says why) until
// that part is set again; setting the other part does not bring it back.
TEST_F(ViewFilterTest, AFailedSetReadsNothingUntilThatPartIsSetAgain) {
    ViewFilter filter;
    struct Bad {
        const char* what;
        bool order;  // the order failed (else the filter)
        std::function<int(View&)> set;
    };
    const Bad cases[] = {
        {"unknown order label", true, [](View& v) { return v.setOrder("SNG:Nope, SNG:Title"); }},
        {"memo as order", true, [](View& v) { return v.setOrder("-SNG:Notes"); }},
        {"case of an unknown label", true, [](View& v) { return v.setOrder("UPPER(Nope)"); }},
        {"no such key", true, [](View& v) { return v.setOrder(99); }},
        {"unknown label in the condition", false,
         [](View& v) {
             return v.setFilter(nullptr, SqlFilter{"{SNG:Nope} = 1", {}});
         }},
        {"unclosed label", false,
         [](View& v) {
             return v.setFilter(nullptr, SqlFilter{"{SNG:Year = 1", {}});
         }},
        {"condition SQLite cannot run", false,
         [](View& v) {
             return v.setFilter(nullptr, SqlFilter{"{SNG:Year} = = ?", {int64_t{1}}});
         }},
        {"filter text that does not compile", false,
         [&](View& v) { return filter.apply(v, "SNG:Rating = (5", bindings) ? 0 : -1; }},
        {"filter text naming no field", false,
         [&](View& v) { return filter.apply(v, "SNG:Nope = 5", bindings) ? 0 : -1; }},
    };
    const std::function<int(View&)> setOrder = [](View& v) { return v.setOrder("SNG:Title"); };
    const std::function<int(View&)> setFilter = [&](View& v) {
        return filter.apply(v, "SNG:Rating = 5", bindings) ? 0 : -1;
    };
    for (const Bad& bad : cases) {
        SCOPED_TRACE(bad.what);
        View v{songs};
        ASSERT_EQ(v.addJoin(cats, {{"SNG:CategoryID", "CAT:CategoryID"}}), 0);
        ASSERT_EQ(setOrder(v), 0);
        ASSERT_EQ(setFilter(v), 0);
        ASSERT_EQ(viewed(v).size(), 2u);

        EXPECT_NE(bad.set(v), 0);
        song = SongRec{};
        EXPECT_EQ(v.setStart(), err::kInvalidKeyLength);
        EXPECT_EQ(v.next(), err::kInvalidKeyLength);
        EXPECT_FALSE(db.error().driverText.empty());
        EXPECT_EQ(v.previous(), err::kInvalidKeyLength);
        EXPECT_EQ(v.readRecord(1), err::kInvalidKeyLength);
        EXPECT_TRUE(song.Title.empty());  // nothing was read into the buffer

        EXPECT_NE((bad.order ? setFilter : setOrder)(v), 0);
        EXPECT_EQ(v.next(), err::kInvalidKeyLength);
        EXPECT_EQ((bad.order ? setOrder : setFilter)(v), 0);
        EXPECT_EQ(viewed(v).size(), 2u);
    }
}

TEST_F(ViewFilterTest, ConstantsGoDownAsParametersNeverAsText) {
    struct Row {
        const char* text;
        const char* where;
        SqlValues params;
    };
    const Row rows[] = {
        {"SNG:Artist = 'O''Brien'",
         "({~SNG:Artist} >= ? AND {~SNG:Artist} < ?) AND ({SNG:Artist} = ?)",
         {std::string("o'brien"), std::string("o'brieo"), std::string("O'Brien")}},
        // Text with accents is looked for by its folding and by its base letters.
        {"UPPER(SNG:Artist) = UPPER('ö'' OR 1=1 --')",
         "(({~SNG:Artist} >= ? AND {~SNG:Artist} < ?) OR ({~SNG:Artist} >= ? AND {~SNG:Artist} "
         "< ?)) AND (cdz_upper({SNG:Artist}) = ?)",
         {std::string("ö' or 1=1 --"), std::string("ö' or 1=1 -."), std::string("o' or 1=1 --"),
          std::string("o' or 1=1 -."), std::string("Ö' OR 1=1 --")}},
        {"UPPER(SUB(SNG:Title,1,3)) = 'ABC'",
         "({~SNG:Title} >= ? AND {~SNG:Title} < ?) AND "
         "(rtrim(cdz_upper(substr({SNG:Title}, ?, ?)), ' ') = ?)",
         {std::string("abc"), std::string("abd"), int64_t{1}, int64_t{3}, std::string("ABC")}},
        {"NOT INSTRING('a',SNG:Title,1,1) AND SNG:Year > 2",
         "(NOT (instr({~SNG:Title}, ?) <> 0 AND (instr({SNG:Title}, ?) <> 0))) AND "
         "({SNG:Year} > ?)",
         {std::string("a"), std::string("a"), int64_t{2}}},
        {"SUB(SNG:Title,2,3) <> 'x'",
         "rtrim(substr({SNG:Title}, ?, ?), ' ') <> ?",
         {int64_t{2}, int64_t{3}, std::string("x")}},
        {"SNG:Price <= 9.99", "{SNG:Price} <= ?", {9.99}},
    };
    auto columns = [](std::string_view name) { return songDecl().column(name); };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        auto parsed = ExprParser::parse(r.text);
        ASSERT_TRUE(parsed.root) << parsed.error.message;
        auto result = FilterTranslator::translate(*parsed.root, columns);
        EXPECT_EQ(result.filter.where, r.where);
        EXPECT_EQ(result.filter.params, r.params);
    }
}

// "Begins with" and "is equal to" go down as a range of the column's folded copy: never losing
// a record whose letters change under upper-casing or folding.
TEST_F(ViewFilterTest, BeginningsGoDownAsFoldedRangesAndLoseNoRecord) {
    int n = 0;
    for (auto artist : {"ıstanbul", "Istanbul", "istanbul", "İstanbul", "ſtraße", "Kelvin",
                        "kelvin", "ǅivo", "σοφος", "STRASSE", "o'brien", "Édith", "edith"}) {
        song = SongRec{};
        song.Artist = artist;
        song.Title = "t" + std::to_string(++n);  // titles are a unique key
        song.Rating = 1;
        ASSERT_EQ(songs.add(), 0);
    }
    struct Row {
        const char* text;
        size_t count;
    };
    const Row rows[] = {
        {"UPPER(SUB(SNG:Artist,1,2)) = 'IS'", 3},  // dotless i upper-cases to I
        {"UPPER(SUB(SNG:Artist,1,3)) = 'STR'", 3},
        {"UPPER(SNG:Artist) = 'STRASSE'", 3},
        {"SUB(UPPER(SNG:Artist),1,4) = 'STRA'", 3},
        {"UPPER(SUB(SNG:Artist,1,1)) = 'K'", 1},
        {"UPPER(SUB(SNG:Artist,1,2)) = 'ǄI'", 1},
        {"UPPER(SUB(SNG:Artist,1,2)) = 'ΣΟ'", 1},
        {"UPPER(SUB(SNG:Artist,1,5)) = 'BJÖRK   '", 3},
        {"SUB(SNG:Artist,1,1) = 'b'", 1},
        {"SNG:Artist = 'o''brien'", 1},
        {"'ABC' = UPPER(SUB(SNG:Title,1,3))", 3},
        {"UPPER(SUB(CAT:Category,1,2)) = 'RO'", 2},
        {"UPPER(SUB(SNG:Artist,1,2)) = 'ÉD'", 1},
        {"SUB(SNG:Artist,1,2) = 'ed'", 1},
        {"NOT UPPER(SUB(SNG:Artist,1,2)) = 'IS'", 17},
        {"UPPER(SUB(SNG:Artist,1,SNG:Rating)) = 'K'", 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        View v{songs};
        ASSERT_EQ(v.addJoin(cats, {{"SNG:CategoryID", "CAT:CategoryID"}}), 0);
        ASSERT_EQ(v.setOrder(0), 0);
        ViewFilter filter;
        ASSERT_TRUE(filter.apply(v, r.text, bindings)) << filter.error().message;
        // Negated, the range needs the exact UPPER() beside it, which a server does not run.
        EXPECT_TRUE(filter.pushedDown() ||
                    (onServer() && std::string_view(r.text).substr(0, 4) == "NOT "));
        auto expected = accepted(r.text);
        EXPECT_EQ(expected.size(), r.count);
        EXPECT_EQ(viewed(v), expected);
    }
}

}  // namespace
}  // namespace cdz::test
