// The pass of a report over its records: what the selection, the filter and the skip rule
// leave, the share read, and reports that run side by side on their own records.
#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/reports/ReportCatalogue.h"
#include "app/reports/ReportFont.h"
#include "app/reports/ReportJob.h"
#include "tests/app/reports/ReportFixture.h"
#include "tests/support/ShellCommand.h"

namespace cdz::test {
namespace {

const std::vector<std::string> kArtists = {"Abel", "Bell", "belle", "Bellamy (*)", "Beth", "Zed"};

struct Catalogued : StateFixture {
    Catalogued() {
        addCategory(*state, 7, "Rock");
        addSongs(*state, {{"Zed", "Last", 7},
                          {"belle", "Two"},
                          {"Abel", "One"},
                          {"Bellamy (*)", "Hidden"},
                          {"Beth", "Intro (Skips)"},
                          {"Bell", "Three"}});
    }

    std::unique_ptr<ReportJob> job(ReportRequest request) {
        return std::make_unique<ReportJob>(*state, *ReportCatalogue::find("PRINTMUS:SONGSBYARTIST"),
                                           std::move(request), letterPaper());
    }
};

// The artists a page list printed, in order.
std::vector<std::string> artistsIn(const PageList& pages) {
    std::vector<std::string> out;
    for (const std::string& t : textsOf(pages))
        if (std::find(kArtists.begin(), kArtists.end(), t) != kArtists.end()) out.push_back(t);
    return out;
}

std::vector<std::string> runToEnd(ReportJob& job) {
    EXPECT_TRUE(job.start()) << job.error();
    while (job.step(2)) {
    }
    EXPECT_TRUE(job.finish());
    EXPECT_EQ(job.readError(), 0);
    return artistsIn(job.pages());
}

TEST(ReportJob, PrintsWhatTheSelectionFilterAndSkipRuleLeave) {
    struct Case {
        const char* include;
        const char* selection;
        const char* filter;
        std::vector<std::string> printed;
    };
    const Case cases[] = {
        {"All", "", "", {"Abel", "Bell", "belle", "Zed"}},
        {"Selected", "be", "", {"Bell", "belle"}},
        {"Selected", "", "", {"Abel", "Bell", "belle", "Zed"}},
        {"Selected", "zz", "", {}},  // nothing: no page at all, not an empty one
        {"All", "", "MUS:Title = 'Three' OR MUS:Title = 'One'", {"Abel", "Bell"}},
        {"All", "", "CAT:Category = 'Rock'", {"Zed"}},
        {"Selected", "B", "MUS:Title = 'Two'", {"belle"}},
    };
    Catalogued f;
    for (const Case& c : cases) {
        ReportRequest r;
        r.criteria.selectedOrAll = c.include;
        r.criteria.selection = c.selection;
        r.filter = c.filter;
        auto job = f.job(r);
        EXPECT_EQ(runToEnd(*job), c.printed)
            << c.include << " '" << c.selection << "' " << c.filter;
        EXPECT_EQ(job->pages().pageCount(), c.printed.empty() ? 0 : 1);
        EXPECT_EQ(job->percent(), 100);
    }
}

TEST(ReportJob, AFilterThatDoesNotCompileIsRefusedNotIgnored) {
    Catalogued f;
    ReportRequest r;
    r.filter = "MUS:Artist = ";
    auto job = f.job(r);
    EXPECT_FALSE(job->start());
    EXPECT_EQ(job->failure(), ReportJob::Failure::View);
}

TEST(ReportJob, TheShareReadStaysWithinTheFileEmptyOrGrowing) {
    StateFixture empty;
    FileUse files(empty.state->catalogue(), {CatalogueFile::Cadenzio, CatalogueFile::Categories});
    ASSERT_TRUE(files.ok());
    ReportJob none(*empty.state, *ReportCatalogue::find("PRINTMUS:SONGSBYARTIST"), {},
                   letterPaper());
    ASSERT_TRUE(none.start());
    EXPECT_FALSE(none.step(25));
    EXPECT_TRUE(none.finish());
    EXPECT_EQ(none.pages().pageCount(), 0);

    Catalogued f;
    auto job = f.job({});
    ASSERT_TRUE(job->start());
    ASSERT_TRUE(job->step(1));
    // Songs added while the report runs are read too; the share never passes the whole.
    addSongs(*f.state, {{"Zz Top"}, {"Zz Zz"}, {"Zzz"}, {"Zzzz"}});
    int highest = 0;
    while (job->step(1)) highest = std::max(highest, job->percent());
    EXPECT_LE(highest, 100);
    EXPECT_EQ(job->percent(), 100);
}

TEST(ReportJob, ReportsSideBySideKeepTheirOwnAnswersAndLeaveTheBrowsesBuffersAlone) {
    Catalogued f;
    f.state->catalogue().song().Artist = "Shown in a browse";
    ReportRequest be, zed;
    be.criteria.selectedOrAll = "Selected";
    be.criteria.selection = "be";
    zed.criteria.selectedOrAll = "Selected";
    zed.criteria.selection = "z";
    auto first = f.job(be);
    auto second = f.job(zed);
    ASSERT_TRUE(first->start());
    ASSERT_TRUE(second->start());
    bool a = true, b = true;
    while (a || b) {
        if (a) a = first->step(1);
        if (b) b = second->step(1);
    }
    ASSERT_TRUE(first->finish() && second->finish());
    EXPECT_EQ(artistsIn(first->pages()), (std::vector<std::string>{"Bell", "belle"}));
    EXPECT_EQ(artistsIn(second->pages()), (std::vector<std::string>{"Zed"}));
    EXPECT_EQ(f.state->catalogue().song().Artist.clipped(), "Shown in a browse");
}

TEST(ReportJob, AReadErrorStopsTheReportAndKeepsThePagesMadeSoFar) {
    StateFixture f;
    std::vector<TestSong> many(700, TestSong{"Artist"});
    addSongs(*f.state, many);
    FileUse files(f.state->catalogue(), {CatalogueFile::Cadenzio, CatalogueFile::Categories});
    ReportJob job(*f.state, *ReportCatalogue::find("PRINTMUS:SONGSBYARTIST"), {}, letterPaper());
    ASSERT_TRUE(job.start());
    ASSERT_TRUE(job.step(300));
    // Another program takes the songs away while the report reads them.
    const auto songs = f.state->catalogue().file(CatalogueFile::Cadenzio).path();
    const ShellResult dropped = runSqliteShell(songs, "DROP TABLE Cadenzio;");
    ASSERT_EQ(dropped.exitCode, 0) << dropped.err;
    while (job.step(25)) {
    }
    EXPECT_NE(job.readError(), 0);
    EXPECT_LT(job.percent(), 100);
    ASSERT_TRUE(job.finish());
    EXPECT_GE(job.pages().pageCount(), 4);  // the lines read before the failure
}

TEST(ReportJob, TheLookFollowsTheSettingsTheLogoAndTheCustomFont) {
    Catalogued f;
    const std::string logo = (f.dir.path() / "logo.png").string();
    QImage(8, 8, QImage::Format_RGB32).save(QString::fromStdString(logo));
    f.state->settings().logo = logo;
    f.state->settings().dateFormat = "d10";
    // The font dialog starts from the kept font and keeps the one chosen.
    ReportFont::write(f.state->settingsFile(), "PrintMUS:SongsByArtist",
                      FontChoice{"DejaVu Serif", 11, Colour::fromValue(0), 400});
    f.dialogs->queue("DejaVu Sans Mono,7,255,4796");
    ReportRequest r;
    r.font = ReportFont::ask(f.state->dialogs(), f.state->settingsFile(), "PrintMUS:SongsByArtist");
    ASSERT_TRUE(r.font);
    EXPECT_EQ(f.dialogs->shown().back().title, "Select Custom Font for Report");
    EXPECT_EQ(f.dialogs->shown().back().initial, "DejaVu Serif,11,0,400");
    EXPECT_EQ(ReportFont::read(f.state->settingsFile(), "PrintMUS:SongsByArtist").typeface,
              "DejaVu Sans Mono");

    auto job = f.job(r);
    runToEnd(*job);
    const auto page = job->pages().page(0);
    ASSERT_TRUE(page);
    int images = 0, runs = 0;
    bool dated = false;
    for (const PageItem& item : page->items) {
        if (const auto* image = std::get_if<ImageItem>(&item)) {
            images += image->path.toStdString() == logo;
        } else if (const auto* run = std::get_if<TextRun>(&item)) {
            ++runs;
            // Every text of the report in the chosen font: headings, lines and the foot.
            EXPECT_EQ(run->font.family, "DejaVu Sans Mono") << run->text.toStdString();
            EXPECT_EQ(run->font.pointSize, 7);
            EXPECT_EQ(run->font.weight, 700);
            EXPECT_TRUE(run->font.italic);
            EXPECT_EQ(run->colour, 0xffff0000u);  // stored 255 is red
            dated |= QRegularExpression("^\\d{4}/\\d\\d/\\d\\d$").match(run->text).hasMatch();
        }
    }
    EXPECT_EQ(images, 1);
    EXPECT_GT(runs, 10);
    EXPECT_TRUE(dated);  // the printing date through the user's picture
}

}  // namespace
}  // namespace cdz::test
