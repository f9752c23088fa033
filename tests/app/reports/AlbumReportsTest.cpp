// The album lists, the album valuation with its totals and the one-album song list, read from
// the pages they make over a small catalogue.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/reports/AlbumSongFilter.h"
#include "app/reports/ReportCatalogue.h"
#include "app/reports/ReportJob.h"
#include "app/reports/TotalsLayout.h"
#include "tests/app/reports/AlbumFixture.h"

namespace cdz::test {
namespace {

// The wanted texts appear on the pages in this order.
::testing::AssertionResult inOrder(const std::vector<std::string>& texts,
                                   const std::vector<std::string>& wanted) {
    auto at = texts.begin();
    for (const std::string& w : wanted) {
        at = std::find(at, texts.end(), w);
        if (at == texts.end()) return ::testing::AssertionFailure() << "no \"" << w << "\" in turn";
        ++at;
    }
    return ::testing::AssertionSuccess();
}

TEST(AlbumReports, ListsPrintTheirTitleCaptionsAndRecordsInTheirOrder) {
    struct Case {
        const char* procedure;
        std::vector<std::string> texts;  // title, captions, then records, in order
    };
    const Case cases[] = {
        {"PRINTALBUMSBYARTIST",
         {"Albums by Artist", "Artist", "Album", "Media", "File Number", "Release Date",
          "Associated WAV File", "Adams", "Zenith", "Miller", "Moon", "Young", "Abbey", "Page 1"}},
        {"PRINTALBUMSBYALBUM",
         {"Albums", "Album", "Artist", "Media", "File Number", "Release Date",
          "Associated WAV File", "Abbey", "Young", "Moon", "Zenith", "Page 1"}},
    };
    AlbumCatalogue f;
    for (const Case& c : cases) {
        EXPECT_TRUE(inOrder(f.print(c.procedure), c.texts)) << c.procedure;
    }
}

TEST(AlbumReports, TheValuationTotalsAreExactSumsOfThePrintedAlbums) {
    struct Case {
        const char* filter;
        std::vector<std::string> texts;  // records in order, then the totals line
    };
    const Case cases[] = {
        {"",
         {"Abbey", "50,000.02", "25.00", "Moon", "1.01", "0.00", "Zenith", "60,000.01", "19.99",
          TotalsLayout::kTotals, "110,001.04", "44.99"}},
        {"ALB:Value > 100",
         {"Abbey", "50,000.02", "Zenith", "60,000.01", TotalsLayout::kTotals, "110,000.03",
          "44.99"}},
    };
    AlbumCatalogue f;
    for (const Case& c : cases) {
        ReportRequest r;
        r.filter = c.filter;
        const std::vector<std::string> texts = f.print("PRINTVALUATIONALBUM", r);
        EXPECT_TRUE(inOrder(texts, {"Orvanta Valuation Report", "Title", "Value", "PurDate",
                                    "Media Type", "File Number", "Price"}));
        EXPECT_TRUE(inOrder(texts, c.texts)) << c.filter;
        EXPECT_EQ(std::count(texts.begin(), texts.end(), TotalsLayout::kTotals), 1) << c.filter;
    }
    ReportRequest none;
    none.filter = "ALB:Media = 'Tape'";
    EXPECT_TRUE(f.print("PRINTVALUATIONALBUM", none).empty());  // no page, not zero totals
}

// The report copies the album's number when it starts: the album browse moving on afterwards
// does not change what it prints. With no album it says so and prints nothing.
TEST(AlbumReports, TheOneAlbumListPrintsTheAlbumItStartedWith) {
    AlbumCatalogue f;
    const ReportDefinition& report = *ReportCatalogue::find(AlbumSongFilter::kProcedure);
    ASSERT_NE(report.prepare, nullptr);
    f.state->catalogue().album().AlbumID = 3;
    ReportRequest r;
    ASSERT_TRUE(report.prepare(*f.state, r));
    f.state->catalogue().album().AlbumID = 1;
    const std::vector<std::string> texts = f.print(AlbumSongFilter::kProcedure, r);
    EXPECT_TRUE(inOrder(texts, {"Moon Closing", "Moon Opening"}));
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Zenith Opening"), 0);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Loose Single"), 0);

    f.state->catalogue().album().AlbumID = 0;
    ReportRequest empty;
    EXPECT_FALSE(report.prepare(*f.state, empty));
    EXPECT_EQ(f.lastMessage(), AlbumSongFilter::kNoAlbum);
}

// The wizard's Media choices are the media file's names; the shared media buffer is left as
// it was.
TEST(AlbumReports, TheWizardOffersTheMediaFilesNames) {
    AlbumCatalogue f;
    Catalogue& c = f.state->catalogue();
    {
        FileUse use(c, {CatalogueFile::Media});
        for (const char* name : {"Wax Cylinder", "Minidisc"}) {
            c.file(CatalogueFile::Media).clearBuffer();
            c.media().Media = name;
            ASSERT_EQ(c.file(CatalogueFile::Media).add(), 0);
        }
    }
    c.media().Media = "In a form";
    const ReportDefinition& report = *ReportCatalogue::find("PRINTVALUATIONALBUM");
    ASSERT_NE(report.queryFields, nullptr);
    const std::string fields = report.queryFields(*f.state);
    EXPECT_NE(fields.find("\u00a6Minidisc|Wax Cylinder\u00a6"), std::string::npos) << fields;
    EXPECT_EQ(c.media().Media.clipped(), "In a form");
    EXPECT_EQ(c.useCount(CatalogueFile::Media), 0);
}

}  // namespace
}  // namespace cdz::test
