// The song reports of the catalogue: each one's order, title, columns and selection, and the
// category report printing for the category picked when it started.
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/reports/ReportCatalogue.h"
#include "app/reports/ReportJob.h"
#include "app/reports/ReportsProcedures.h"
#include "runtime/report/PreviewWindow.h"
#include "tests/app/reports/ReportFixture.h"
#include "tests/support/EventLoop.h"

namespace cdz::test {
namespace {

struct Songs : StateFixture {
    Songs() {
        addCategory(*state, 1, "Jazz");
        addCategory(*state, 2, "Rock");
        Catalogue& c = state->catalogue();
        EXPECT_EQ(c.use(CatalogueFile::Cadenzio), 0);
        struct S {
            const char* artist;
            const char* title;
            const char* album;
            const char* media;
            int chart;
            int category;
            const char* key;
        };
        for (const S& s : {S{"Zoe", "Alpha", "Mid", "LP", 1, 1, "k2"},
                           S{"Amy", "Zulu", "End", "CD", 12, 2, "k1"},
                           S{"Bob", "Mike", "Start", "Tape", 150, 1, "k3"},
                           S{"Cat", "Echo", "Aside", "CD", 2, 2, "k4"}}) {
            c.file(CatalogueFile::Cadenzio).clearBuffer();
            c.song().Artist = s.artist;
            c.song().Title = s.title;
            c.song().Album = s.album;
            c.song().Media = s.media;
            c.song().ChartNumber = static_cast<uint8_t>(s.chart);
            c.song().CategoryID = s.category;
            c.song().UserDefinedKeyField = s.key;
            EXPECT_EQ(c.file(CatalogueFile::Cadenzio).add(), 0);
        }
        c.release(CatalogueFile::Cadenzio);
    }

    // The texts of the report's first page.
    std::vector<std::string> print(const char* report, ReportRequest request = {}) {
        FileUse files(state->catalogue(), {CatalogueFile::Cadenzio, CatalogueFile::Categories});
        ReportJob job(*state, *ReportCatalogue::find(report), std::move(request), letterPaper());
        EXPECT_TRUE(job.start()) << report << job.error();
        while (job.step(10)) {
        }
        EXPECT_TRUE(job.finish());
        return textsOf(job.pages());
    }
};

// Which of `values` the texts hold, in the order they appear.
std::vector<std::string> order(const std::vector<std::string>& texts,
                               std::initializer_list<const char*> values) {
    std::vector<std::string> out;
    for (const std::string& t : texts)
        for (const char* v : values)
            if (t == v) out.push_back(t);
    return out;
}

TEST(SongReports, EachListPrintsInItsOrderUnderItsTitle) {
    struct Case {
        const char* report;
        const char* title;
        std::initializer_list<const char*> watch;
        std::vector<std::string> printed;
    };
    const Case cases[] = {
        {"PRINTMUS:SONGSBYARTIST", "Songs by Artist", {"Amy", "Bob", "Cat", "Zoe"}, {}},
        {"BRIEFMUS:SONGSBYARTIST", "Songs by Artist", {"Amy", "Bob", "Cat", "Zoe"}, {}},
        {"PRINTMUS:SONGSBYTITLE", "Songs by Title", {"Alpha", "Echo", "Mike", "Zulu"}, {}},
        {"BRIEFMUS:SONGSBYTITLE", "Songs by Title", {"Alpha", "Echo", "Mike", "Zulu"}, {}},
        {"PRINTMUS:SONGSBYALBUM", "Songs by Album", {"Aside", "End", "Mid", "Start"}, {}},
        {"BRIEFMUS:SONGSBYALBUM", "Songs by Album", {"Aside", "End", "Mid", "Start"}, {}},
        {"PRINTMUS:SONGSBYMEDIA", "Songs by Media", {"Echo", "Zulu", "Alpha", "Mike"}, {}},
        {"BRIEFMUS:SONGSBYMEDIA", "Songs by Media", {"Echo", "Zulu", "Alpha", "Mike"}, {}},
        {"PRINTMUS:SONGSBYCHART", "Songs by Chart Number", {"Alpha", "Echo", "Zulu", "Mike"}, {}},
        {"BRIEFMUS:SONGSBYCHART", "Songs by Chart Number", {"Alpha", "Echo", "Zulu", "Mike"}, {}},
        {"PRINTMUS:SONGSBYUDK", "Songs by Label", {"Amy", "Zoe", "Bob", "Cat"}, {}},
        {"BRIEFMUS:SONGSBYUDK", "Songs by User Defined Key", {"Amy", "Zoe", "Bob", "Cat"}, {}},
        {"PRINTBYCATEGORY", "Songs by Category", {"Bob", "Zoe", "Amy", "Cat"}, {}},
        {"PRINTPAPERSAVER", "Songs by Artist", {"Amy", "Bob", "Cat", "Zoe"}, {}},
        {"PRINTPAPERSAVERTITLE", "Songs by Title", {"Alpha", "Echo", "Mike", "Zulu"}, {}},
    };
    Songs f;
    f.state->settings().udkPrompt = "Label";
    for (const Case& c : cases) {
        const auto texts = f.print(c.report);
        ASSERT_FALSE(texts.empty()) << c.report;
        EXPECT_EQ(texts[0], c.title) << c.report;
        std::vector<std::string> expected(c.watch.begin(), c.watch.end());
        EXPECT_EQ(order(texts, c.watch), expected) << c.report;
    }
}

TEST(SongReports, ChartOneSelectsOneTheTeensAndTheHundreds) {
    Songs f;
    ReportRequest r;
    r.criteria.selectedOrAll = "Selected";
    r.criteria.selection = "1";
    EXPECT_EQ(order(f.print("PRINTMUS:SONGSBYCHART", r), {"Alpha", "Echo", "Zulu", "Mike"}),
              (std::vector<std::string>{"Alpha", "Zulu", "Mike"}));
}

// Every value keeps a tenth of an inch clear of the next column on its line, a right-aligned
// chart number before a file number too.
TEST(SongReports, NoValueRunsIntoTheNextColumn) {
    Songs f;
    FileUse files(f.state->catalogue(), {CatalogueFile::Cadenzio, CatalogueFile::Categories});
    for (const char* report : {"PRINTMUS:SONGSBYCHART", "PRINTMUS:SONGSBYARTIST"}) {
        ReportJob job(*f.state, *ReportCatalogue::find(report), {}, letterPaper());
        ASSERT_TRUE(job.start()) << report;
        while (job.step(10)) {
        }
        ASSERT_TRUE(job.finish());
        auto page = job.pages().page(0);
        ASSERT_TRUE(page);
        std::vector<const TextRun*> runs;
        for (const PageItem& item : page->items)
            if (const auto* run = std::get_if<TextRun>(&item)) runs.push_back(run);
        int pairs = 0;
        for (const TextRun* a : runs) {
            for (const TextRun* b : runs) {
                const int end = a->box.x.value + a->box.width.value;
                if (a->box.y != b->box.y || b->box.x.value < end) continue;
                // Any text to the right on the same line.
                ++pairs;
                EXPECT_GE(b->box.x.value - end, 100)
                    << report << ": " << a->text.toStdString() << " | " << b->text.toStdString();
            }
        }
        EXPECT_GT(pairs, 0) << report;
    }
}

// A selection with accents finds its artists although the key files them with plain letters.
TEST(SongReports, ASelectionWithAccentsFindsItsArtists) {
    Songs f;
    Catalogue& c = f.state->catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Cadenzio), 0);
    for (const char* artist : {"Édith", "Eagles", "Ödön"}) {
        c.file(CatalogueFile::Cadenzio).clearBuffer();
        c.song().Artist = artist;
        c.song().Title = "Song";
        ASSERT_EQ(c.file(CatalogueFile::Cadenzio).add(), 0);
    }
    c.release(CatalogueFile::Cadenzio);
    for (const auto& [selection, found] :
         {std::pair{"é", "Édith"}, {"ÖD", "Ödön"}, {"ea", "Eagles"}}) {
        ReportRequest r;
        r.criteria.selectedOrAll = "Selected";
        r.criteria.selection = selection;
        EXPECT_EQ(order(f.print("PRINTMUS:SONGSBYARTIST", r), {"Édith", "Eagles", "Ödön"}),
                  std::vector<std::string>{found})
            << selection;
    }
}

TEST(SongReports, TheCategoryReportPrintsTheCategoryPickedWhenItStarted) {
    Songs f;
    QWidget frame;
    defineReportsProcedures(*f.state, frame);
    // The picker leaves "Jazz" chosen; the browse then moves on to "Rock" while it runs.
    f.state->starter().defineRoutine("BrowseCategories", [&f] {
        f.state->catalogue().category().CategoryID = 1;
        f.state->catalogue().category().Category = "Jazz";
        f.state->respond(Response::Completed);
    });
    QTimer::singleShot(0, [&f] {
        f.state->catalogue().category().CategoryID = 2;
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        w->findChild<QCheckBox*>("Preview")->setChecked(true);
        w->findChild<QPushButton*>("OkButton")->click();
    });
    ASSERT_NE(f.state->starter().start("PRINTBYCATEGORY"), 0);
    ASSERT_TRUE(waitFor([] { return openPreview() != nullptr; }));
    PreviewWindow* preview = openPreview();
    std::vector<std::string> texts;
    auto page = dynamic_cast<const PageList&>(preview->source()).page(0);
    ASSERT_TRUE(page);
    for (const PageItem& i : page->items)
        if (const auto* run = std::get_if<TextRun>(&i)) texts.push_back(run->text.toStdString());
    EXPECT_EQ(texts[0], "Music in Jazz Category");
    EXPECT_EQ(order(texts, {"Amy", "Bob", "Cat", "Zoe"}), (std::vector<std::string>{"Bob", "Zoe"}));
    preview->close();
    ASSERT_TRUE(waitFor([&] { return f.state->starter().instances().empty(); }));
}

}  // namespace
}  // namespace cdz::test
