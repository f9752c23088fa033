// The filter texts the program itself uses (browse ranges, fixed report and wizard filters,
// texts the query wizard writes), each against records that pass and records that do not.
#include <gtest/gtest.h>

#include <functional>

#include "TestCatalogue.h"
#include "runtime/expr/Expression.h"

namespace cdz {
namespace {

using test::TestCatalogue;

struct FilterCase {
    const char* text;
    std::function<void(TestCatalogue&)> record;
    bool passes;
};

void expectFilters(const std::vector<FilterCase>& cases) {
    for (size_t i = 0; i < cases.size(); ++i) {
        const FilterCase& c = cases[i];
        TestCatalogue cat;
        Expression e;
        ASSERT_TRUE(e.compile(c.text, cat.bindings()))
            << c.text << ": " << e.error().position << " " << e.error().message;
        c.record(cat);
        EXPECT_EQ(e.test(), c.passes) << "case " << i << ": " << c.text;
    }
}

TEST(ExprFilterTexts, BrowseRanges) {
    expectFilters({
        {"UPPER(MUS:Media) = UPPER(BRW1::Sort3:Reset:MED:Media)",
         [](TestCatalogue& c) {
             c.musMedia = "Cd";
             c.rangeMedia = "CD";
         },
         true},
        {"UPPER(MUS:Media) = UPPER(BRW1::Sort3:Reset:MED:Media)",
         [](TestCatalogue& c) {
             c.musMedia = "cd  ";
             c.rangeMedia = "Cd";
         },
         true},
        {"UPPER(MUS:Media) = UPPER(BRW1::Sort3:Reset:MED:Media)",
         [](TestCatalogue& c) {
             c.musMedia = "Vinyl LP";
             c.rangeMedia = "vinyl";
         },
         false},
        {"UPPER(MUS:Media) = UPPER(BRW1::Sort3:Reset:MED:Media)",
         [](TestCatalogue& c) {
             c.musMedia = "Kassette";
             c.rangeMedia = "KASSETTE";
         },
         true},
        {"UPPER(MUS:Media) = UPPER(BRW1::Sort3:Reset:MED:Media)",
         [](TestCatalogue& c) {
             c.musMedia = "Straße";
             c.rangeMedia = "STRASSE";
         },
         true},
        // A LONG field against a DECIMAL(6,0) range value.
        {"MUS:CategoryID = BRW1::Sort4:Reset:CAT:CategoryID",
         [](TestCatalogue& c) {
             c.musCategoryId = 17;
             c.rangeCategory = 17;
         },
         true},
        {"MUS:CategoryID = BRW1::Sort4:Reset:CAT:CategoryID",
         [](TestCatalogue& c) {
             c.musCategoryId = 17;
             c.rangeCategory = 18;
         },
         false},
        {"MUS:CategoryID = BRW1::Sort4:Reset:CAT:CategoryID", [](TestCatalogue&) {}, true},
        {"(MUS:CategoryID = BRW1::Sort4:Reset:CAT:CategoryID) AND (UPPER(MUS:Title) = 'X')",
         [](TestCatalogue& c) {
             c.musCategoryId = 3;
             c.rangeCategory = 3;
             c.musTitle = "x";
         },
         true},
        {"(MUS:CategoryID = BRW1::Sort4:Reset:CAT:CategoryID) AND (UPPER(MUS:Title) = 'X')",
         [](TestCatalogue& c) {
             c.musCategoryId = 3;
             c.rangeCategory = 4;
             c.musTitle = "x";
         },
         false},
        {"(MUS:CategoryID = BRW1::Sort4:Reset:CAT:CategoryID) AND (UPPER(MUS:Title) = 'X')",
         [](TestCatalogue& c) {
             c.musCategoryId = 3;
             c.rangeCategory = 3;
             c.musTitle = "xy";
         },
         false},
        {"(UPPER(MUS:Media) = UPPER(BRW1::Sort3:Reset:MED:Media)) AND (MUS:Rating = '5')",
         [](TestCatalogue& c) {
             c.musMedia = "CD";
             c.rangeMedia = "cd";
             c.musRating = "5";
         },
         true},
        {"MUS:AlbumID = BRW2::Sort1:Reset:ALB:AlbumID",
         [](TestCatalogue& c) {
             c.musAlbumId = 42;
             c.brw2AlbumId = 42;
         },
         true},
        {"MUS:AlbumID = BRW2::Sort1:Reset:ALB:AlbumID",
         [](TestCatalogue& c) {
             c.musAlbumId = 42;
             c.brw2AlbumId = 43;
         },
         false},
    });
}

TEST(ExprFilterTexts, FixedFilters) {
    expectFilters({
        {"AW:Instance=ThreadInstance",
         [](TestCatalogue& c) {
             c.awInstance = 3;
             c.threadInstance = 3;
         },
         true},
        {"AW:Instance=ThreadInstance",
         [](TestCatalogue& c) {
             c.awInstance = 2;
             c.threadInstance = 3;
         },
         false},
        {"LAB:LabelID = Report:Save::LAB:LabelID",
         [](TestCatalogue& c) {
             c.labLabelId = 9;
             c.savedLabelId = 9;
         },
         true},
        {"LAB:LabelID = Report:Save::LAB:LabelID",
         [](TestCatalogue& c) {
             c.labLabelId = 9;
             c.savedLabelId = 10;
         },
         false},
        {"UPPER(XRQW_QR:ClassName) = UPPER(LOC:ClassName)",
         [](TestCatalogue& c) {
             c.queryClassName = "BROWSECADENZIO";
             c.localClassName = "BrowseCadenzio";
         },
         true},
        {"UPPER(XRQW_QR:ClassName) = UPPER(LOC:ClassName)",
         [](TestCatalogue& c) {
             c.queryClassName = "PRINTDJLIST";
             c.localClassName = "BrowseCadenzio";
         },
         false},
        {"PLA:PlaylistID = PLD:PlaylistID",
         [](TestCatalogue& c) {
             c.plaPlaylistId = 5;
             c.pldPlaylistId = 5;
         },
         true},
        {"PLA:PlaylistID = PLD:PlaylistID",
         [](TestCatalogue& c) {
             c.plaPlaylistId = 5;
             c.pldPlaylistId = 6;
         },
         false},
        {"MUS:AlbumID = ALB:AlbumID", [](TestCatalogue& c) { c.musAlbumId = c.albAlbumId = 77; },
         true},
        {"MUS:AlbumID = ALB:AlbumID",
         [](TestCatalogue& c) {
             c.musAlbumId = 77;
             c.albAlbumId = 78;
         },
         false},
    });
}

TEST(ExprFilterTexts, WizardTexts) {
    expectFilters({
        // Title begins with abc, ignoring case.
        {"UPPER(SUB(MUS:Title,1,3)) = 'ABC'", [](TestCatalogue& c) { c.musTitle = "abcdef"; },
         true},
        {"UPPER(SUB(MUS:Title,1,3)) = 'ABC'", [](TestCatalogue& c) { c.musTitle = "Abc"; }, true},
        {"UPPER(SUB(MUS:Title,1,3)) = 'ABC'", [](TestCatalogue& c) { c.musTitle = "ab"; }, false},
        {"UPPER(SUB(MUS:Title,1,3)) = 'ABC'", [](TestCatalogue& c) { c.musTitle = "xabc"; }, false},
        // Does not begin with.
        {"UPPER(SUB(MUS:Title,1,3)) <> 'ABC'", [](TestCatalogue& c) { c.musTitle = "xabc"; }, true},
        // Notes do not contain x (case-sensitive).
        {"NOT INSTRING('x',MUS:Notes,1,1)", [](TestCatalogue& c) { c.musNotes = "plain notes"; },
         true},
        {"NOT INSTRING('x',MUS:Notes,1,1)", [](TestCatalogue& c) { c.musNotes = ""; }, true},
        {"NOT INSTRING('x',MUS:Notes,1,1)", [](TestCatalogue& c) { c.musNotes = "a remix"; },
         false},
        {"NOT INSTRING('x',MUS:Notes,1,1)", [](TestCatalogue& c) { c.musNotes = "REMIX"; }, true},
        // Artist contains "beat" ignoring case, and rating equal to '5'.
        {"INSTRING('BEAT',UPPER(ALB:Artist),1,1) AND ALB:Rating = '5'",
         [](TestCatalogue& c) {
             c.albArtist = "The Beatles";
             c.albRating = "5";
         },
         true},
        {"INSTRING('BEAT',UPPER(ALB:Artist),1,1) AND ALB:Rating = '5'",
         [](TestCatalogue& c) {
             c.albArtist = "The Beatles";
             c.albRating = "4";
         },
         false},
        {"INSTRING('BEAT',UPPER(ALB:Artist),1,1) AND ALB:Rating = '5'",
         [](TestCatalogue& c) {
             c.albArtist = "Rolling Stones";
             c.albRating = "5";
         },
         false},
        {"INSTRING('BEAT',UPPER(ALB:Artist),1,1) AND ALB:Rating = '5'",
         [](TestCatalogue& c) {
             c.albArtist = "beat";
             c.albRating = "5 ";
         },
         true},
        // Numbers compared by absolute value, field against field.
        {"ABS(MUS:BeatsPerMinute) > ABS(MUS:ChartNumber)",
         [](TestCatalogue& c) {
             c.musBeatsPerMinute = -120;
             c.musChartNumber = 40;
         },
         true},
        {"ABS(MUS:BeatsPerMinute) > ABS(MUS:ChartNumber)",
         [](TestCatalogue& c) {
             c.musBeatsPerMinute = -20;
             c.musChartNumber = 40;
         },
         false},
        {"ABS(MUS:BeatsPerMinute) => ABS(MUS:ChartNumber)",
         [](TestCatalogue& c) {
             c.musBeatsPerMinute = -40;
             c.musChartNumber = 40;
         },
         true},
        // Check boxes.
        {"ALB:Loaned <> 0", [](TestCatalogue& c) { c.albLoaned = 1; }, true},
        {"ALB:Loaned <> 0", [](TestCatalogue& c) { c.albLoaned = 0; }, false},
        {"ALB:Loaned = 0", [](TestCatalogue& c) { c.albLoaned = 0; }, true},
        {"ALB:Loaned = 0", [](TestCatalogue& c) { c.albLoaned = 255; }, false},
        // A text field against 0 compares as numbers: "A" is not a number, so it counts as 0.
        {"MUS:Side <> 0", [](TestCatalogue& c) { c.musSide = "1"; }, true},
        {"MUS:Side <> 0", [](TestCatalogue& c) { c.musSide = "A"; }, false},
        {"MUS:Side = 0", [](TestCatalogue& c) { c.musSide = ""; }, true},
        // Both spellings of the two-character comparisons.
        {"MUS:ReleaseDate => 80000", [](TestCatalogue& c) { c.musReleaseDate = 80000; }, true},
        {"MUS:ReleaseDate >= 80000", [](TestCatalogue& c) { c.musReleaseDate = 79999; }, false},
        {"MUS:ReleaseDate =< 80000", [](TestCatalogue& c) { c.musReleaseDate = 80000; }, true},
        {"MUS:ReleaseDate <= 80000", [](TestCatalogue& c) { c.musReleaseDate = 80001; }, false},
        {"MUS:ReleaseDate =< 80000", [](TestCatalogue& c) { c.musReleaseDate = 80001; }, false},
        {"MUS:ReleaseDate => 80000", [](TestCatalogue& c) { c.musReleaseDate = 79999; }, false},
        {"MUS:ReleaseDate >= 80000", [](TestCatalogue& c) { c.musReleaseDate = 80001; }, true},
        {"MUS:ReleaseDate <= 80000", [](TestCatalogue& c) { c.musReleaseDate = 79999; }, true},
        // Several elements joined.
        {"UPPER(MUS:Artist) = 'ABBA' AND MUS:ChartNumber < 10 OR MUS:Rating = '5'",
         [](TestCatalogue& c) {
             c.musArtist = "Abba";
             c.musChartNumber = 3;
         },
         true},
        {"UPPER(MUS:Artist) = 'ABBA' AND MUS:ChartNumber < 10 OR MUS:Rating = '5'",
         [](TestCatalogue& c) {
             c.musArtist = "Abba";
             c.musChartNumber = 30;
         },
         false},
        {"UPPER(MUS:Artist) = 'ABBA' AND MUS:ChartNumber < 10 OR MUS:Rating = '5'",
         [](TestCatalogue& c) {
             c.musArtist = "Queen";
             c.musRating = "5";
         },
         true},
    });
}

TEST(ExprFilterTexts, CombinedQueries) {
    const char* a = "UPPER(MUS:Artist) = 'QUEEN'";
    const char* b = "MUS:ChartNumber = 1";
    const std::string both = std::string("(") + a + ") AND (" + b + ")";
    const std::string either = std::string("(") + a + ") OR (" + b + ")";
    const struct {
        const char* artist;
        uint8_t chart;
        bool both, either;
    } records[] = {
        {"Queen", 1, true, true},
        {"queen", 2, false, true},
        {"Abba", 1, false, true},
        {"Abba", 2, false, false},
    };
    TestCatalogue cat;
    Expression eBoth, eEither;
    ASSERT_TRUE(eBoth.compile(both, cat.bindings()));
    ASSERT_TRUE(eEither.compile(either, cat.bindings()));
    for (const auto& r : records) {
        cat.musArtist = r.artist;
        cat.musChartNumber = r.chart;
        EXPECT_EQ(eBoth.test(), r.both) << r.artist << " " << int{r.chart};
        EXPECT_EQ(eEither.test(), r.either) << r.artist << " " << int{r.chart};
    }
}

}  // namespace
}  // namespace cdz
