// The index and rotary cards of albums and songs: a card per record on a page of the card's
// size, captions beside values on index cards, and the media file's names in the album fields.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/reports/CardLayout.h"
#include "app/reports/ReportCatalogue.h"
#include "app/reports/ReportFieldSets.h"
#include "app/reports/ReportJob.h"
#include "runtime/report/PageRenderer.h"
#include "runtime/text/DateTime.h"
#include "tests/app/reports/ReportFixture.h"

namespace cdz::test {
namespace {

struct SmallCatalogue : StateFixture {
    SmallCatalogue() {
        addCategory(*state, 4, "Jazz");
        Catalogue& c = state->catalogue();
        FileUse files(c, {CatalogueFile::Album, CatalogueFile::Cadenzio});
        EXPECT_TRUE(files.ok());
        struct Album {
            const char* artist;
            const char* title;
            int category;
        };
        for (const Album& a : {Album{"Zed", "Blue Hours", 4}, Album{"Abel", "Quiet Rooms", 0}}) {
            c.file(CatalogueFile::Album).clearBuffer();
            c.album().Artist = a.artist;
            c.album().Album = a.title;
            c.album().Media = "LP";
            c.album().FileNumber = "F-07";
            c.album().CategoryID = a.category;
            c.album().ReleaseDate = dateFromYmd(1959, 8, 17);
            c.album().TotalTime = timeFromHms(0, 45, 30);
            c.album().PurPrice = 12.5;
            EXPECT_EQ(c.file(CatalogueFile::Album).add(), 0);
            c.file(CatalogueFile::Cadenzio).clearBuffer();
            c.song().Artist = a.artist;
            c.song().Title = a.title;  // the album's title track
            c.song().Album = a.title;
            c.song().CategoryID = a.category;
            c.song().TrackNumber = 3;
            c.song().Time = timeFromHms(0, 9, 5);
            EXPECT_EQ(c.file(CatalogueFile::Cadenzio).add(), 0);
        }
    }
};

std::vector<std::string> textsOfPage(const Page& page) {
    std::vector<std::string> out;
    for (const PageItem& item : page.items)
        if (const auto* run = std::get_if<TextRun>(&item)) out.push_back(run->text.toStdString());
    return out;
}

TEST(CardReports, EachReportPrintsACardPerRecordOnCardSizedPages) {
    struct Case {
        const char* procedure;
        Mils width, height;
        std::vector<std::string> first;  // texts the first card holds, in drawing order
    };
    const Case cases[] = {
        {"PRINTINDEX:ALBUMSBYTITLE",
         Mils{5000},
         Mils{3000},
         {"Title:", "Blue Hours", "Artist:", "Zed", "FileNum:", "F-07", "RelDate:", "1959/08/17",
          "Media:", "LP", "Time:", "0:45:30", "WaveFile:", "Rating:", "PurPrice:", "12.50",
          "PurDate:"}},
        {"PRINTINDEX:ALBUMSBYARTIST",
         Mils{5000},
         Mils{3000},
         {"Artist:", "Abel", "Album:", "Quiet Rooms", "Time:", "0:45:30", "RelDate:", "1959/08/17",
          "Media:", "LP", "FileNum:", "F-07", "WaveFile:", "Rating:", "PurPrice:", "12.50"}},
        {"PRINTINDEX:SONGTITLE",
         Mils{5000},
         Mils{3000},
         {"Title:", "Blue Hours", "Artist:", "Zed", "Album:", "Blue Hours", "Media:", "FileNum:",
          "RelDate:", "Side:", "Track#:", "3", "Time:", "0:09:05", "Rating:"}},
        {"PRINTINDEX:SONGSARTIST",
         Mils{5000},
         Mils{3000},
         {"Artist:", "Abel", "Title:", "Quiet Rooms", "Album:", "Quiet Rooms", "Media:", "FileNum:",
          "RelDate:", "Rating:", "Chart#:", "Track#:", "3", "Side:", "Time:", "0:09:05"}},
        {"PRINTROTARY:ALBUMTITLE",
         Mils{4000},
         Mils{2250},
         {"Blue Hours", "Zed", "LP", "F-07", "1959/08/17", "0:45:30", "Jazz"}},
        {"PRINTROTARY:ALBUMARTIST",
         Mils{4000},
         Mils{2250},
         {"Abel", "Quiet Rooms", "LP", "F-07", "1959/08/17", "0:45:30"}},
        {"PRINTROTARY:SONGSTITLE",
         Mils{4000},
         Mils{2250},
         {"Blue Hours", "Zed", "Blue Hours", "Jazz", "0:09:05"}},
        {"PRINTROTARY:SONGSARTIST",
         Mils{4000},
         Mils{2250},
         {"Abel", "Quiet Rooms", "Quiet Rooms", "0:09:05"}},
    };
    SmallCatalogue f;
    f.state->settings().dateFormat = "d10";  // the user's date picture, not the report's own
    for (const Case& c : cases) {
        const ReportDefinition* report = ReportCatalogue::find(c.procedure);
        ASSERT_NE(report, nullptr) << c.procedure;
        EXPECT_EQ(report->queryClass, c.procedure);
        ReportJob job(*f.state, *report, {}, letterPaper());
        ASSERT_TRUE(job.start()) << c.procedure << ": " << job.error();
        while (job.step(10)) {
        }
        ASSERT_TRUE(job.finish());
        ASSERT_EQ(job.pages().pageCount(), 2) << c.procedure;
        const auto page = job.pages().page(0);
        ASSERT_TRUE(page);
        EXPECT_EQ(page->width, c.width) << c.procedure;
        EXPECT_EQ(page->height, c.height) << c.procedure;
        EXPECT_EQ(textsOfPage(*page), c.first) << c.procedure;
    }
}

// A long value below the first line wraps onto the card's spare lines, pushing the lines after
// it down, and every line stays above the card's foot.
TEST(CardReports, ALongValueWrapsAndTheCardStillHoldsEveryLine) {
    SmallCatalogue f;
    Catalogue& c = f.state->catalogue();
    const std::string artist = "WOLFGANG AMADEUS MOZART WIENER PHILHARMON";
    const std::string wave =
        "/home/collector/Music/Recordings of the Wiener Philharmoniker/"
        "Symphony No. 40 in G minor, K. 550 - complete.wav";
    {
        FileUse files(c, {CatalogueFile::Album});
        ASSERT_TRUE(files.ok());
        ASSERT_EQ(c.file(CatalogueFile::Album).stream(), 0);
        c.file(CatalogueFile::Album).clearBuffer();
        c.album().Artist = artist;
        c.album().Album = "Aaa";
        c.album().Media = "CD";
        c.album().Rating = "5";
        c.album().AssociatedWAVFile = wave;
        ASSERT_EQ(c.file(CatalogueFile::Album).add(), 0);
    }
    const struct {
        const char* procedure;
        std::string value;
        Mils foot;
    } cases[] = {{"PRINTINDEX:ALBUMSBYTITLE", wave, CardStock::index().foot},
                 {"PRINTROTARY:ALBUMTITLE", artist.substr(0, 40), CardStock::rotary().foot}};
    for (const auto& k : cases) {
        ReportJob job(*f.state, *ReportCatalogue::find(k.procedure), {}, letterPaper());
        ASSERT_TRUE(job.start()) << job.error();
        while (job.step(10)) {
        }
        ASSERT_TRUE(job.finish());
        const auto page = job.pages().page(0);
        ASSERT_TRUE(page);
        std::vector<const TextRun*> runs;
        for (const PageItem& item : page->items)
            if (const auto* run = std::get_if<TextRun>(&item)) runs.push_back(run);
        const auto long_ = std::find_if(runs.begin(), runs.end(), [&](const TextRun* r) {
            return r->text.toStdString() == k.value;
        });
        ASSERT_NE(long_, runs.end()) << k.procedure;
        ASSERT_NE(long_ + 1, runs.end()) << k.procedure;
        const TextRun& run = **long_;
        EXPECT_TRUE(run.wrap) << k.procedure;
        EXPECT_GT(wrapLines(run.text, run.font, run.box.width.value).size(), 1) << k.procedure;
        const Mils end = run.box.y + run.box.height;
        EXPECT_GT(end.value, run.box.y.value + 300) << k.procedure << ": two lines at least";
        EXPECT_GE(long_[1]->box.y.value, end.value - 100) << k.procedure;
        for (const TextRun* r : runs)
            EXPECT_LE((r->box.y + r->box.height).value, (page->height - k.foot).value + 60)
                << k.procedure << ": " << r->text.toStdString();
    }
}

TEST(CardReports, TheAlbumFieldsOfferTheMediaFilesNamesAndLeaveItsBufferAlone) {
    StateFixture f;
    Catalogue& c = f.state->catalogue();
    {
        FileUse media(c, {CatalogueFile::Media});
        ASSERT_TRUE(media.ok());
        c.media().Media = "Wax Cylinder";
        ASSERT_EQ(c.file(CatalogueFile::Media).add(), 0);
    }
    c.media().Media = "Shown in a browse";
    for (const char* procedure : {"PRINTINDEX:ALBUMSBYARTIST", "PRINTROTARY:ALBUMTITLE"}) {
        const std::string fields = ReportCatalogue::find(procedure)->queryFields(*f.state);
        const size_t media = fields.find("ALB:Media");
        ASSERT_NE(media, std::string::npos) << procedure;
        const std::string entry = fields.substr(media, fields.find("\u00ab", media) - media);
        EXPECT_NE(entry.find("Wax Cylinder"), std::string::npos) << procedure << ": " << entry;
        EXPECT_EQ(c.media().Media, "Shown in a browse");
    }
}

// The song fields' description the wizard is given, byte for byte (the song search gives the same
// with the media file's names): it is made from the song file's declaration, which must not change
// it unnoticed.
TEST(CardReports, TheSongFieldDescriptionIsUnchanged) {
    const char* const entries[] = {
        "Category¦0¦CAT:Category¦@s30¦30¦1¦1¦¦¦«",
        "Artist¦0¦MUS:Artist¦@s40¦40¦1¦1¦¦¦«",
        "Title¦0¦MUS:Title¦@s40¦40¦1¦1¦¦¦«",
        "Album¦0¦MUS:Album¦@s40¦40¦1¦1¦¦¦«",
        "Media¦0¦MUS:Media¦@s20¦20¦1¦1¦¦¦«",
        "File Number¦0¦MUS:FileNumber¦@s20¦20¦1¦1¦¦¦«",
        "Release Date¦0¦MUS:ReleaseDate¦@d2¦4¦2¦1¦¦¦«",
        "Category ID¦0¦MUS:CategoryID¦@n-13¦4¦2¦1¦¦¦«",
        "Chart Number¦0¦MUS:ChartNumber¦@n3¦1¦2¦1¦¦¦«",
        "Track Number¦0¦MUS:TrackNumber¦@n3¦1¦2¦1¦¦¦«",
        "Side¦0¦MUS:Side¦@s1¦1¦1¦3¦¦ (N/A)|A|B|1|2¦«",
        "Time¦0¦MUS:Time¦@t4¦4¦2¦1¦¦¦«",
        "User Defined Key¦0¦MUS:UserDefinedKeyField¦@s30¦30¦1¦1¦¦¦«",
        "Additional Information 1¦0¦MUS:AdditionalInformation1¦@s80¦80¦1¦1¦¦¦«",
        "Additional Information 2¦0¦MUS:AdditionalInformation2¦@s80¦80¦1¦1¦¦¦«",
        "Additional Information 3¦0¦MUS:AdditionalInformation3¦@s80¦80¦1¦1¦¦¦«",
        "Beats Per Minute¦0¦MUS:BeatsPerMinute¦@n_4b¦4¦2¦1¦¦¦«",
        "Style¦0¦MUS:Style¦@s30¦30¦1¦1¦¦¦«",
        "Recording¦0¦MUS:Recording¦@s255¦256¦1¦1¦¦¦«",
        "Composer¦0¦MUS:Composer¦@s80¦80¦1¦1¦¦¦«",
        "Performance Notes¦0¦MUS:PerformanceNotes¦@s255¦256¦1¦1¦¦¦«",
        "Last Played¦0¦MUS:LastPlayed¦@d17-¦4¦2¦1¦¦¦«",
        "Notes¦0¦MUS:Notes¦@s255¦2000¦1¦1¦¦¦«",
        "Rating¦0¦MUS:Rating¦@s2¦2¦1¦1¦¦¦«",
    };
    std::string expected;
    for (const char* e : entries) expected += e;
    EXPECT_EQ(ReportFieldSets::songs(), expected);
}

}  // namespace
}  // namespace cdz::test
