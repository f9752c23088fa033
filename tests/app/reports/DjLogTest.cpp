// The DJ log: songs in media and file-number order, the year as a collector wrote it, and the
// notes column under the user's caption.
#include <QApplication>
#include <QLineEdit>
#include <QTreeView>

#include <gtest/gtest.h>

#include "app/reports/ReportCatalogue.h"
#include "app/reports/ReportJob.h"
#include "app/reports/ReportsProcedures.h"
#include "app/shell/startup/QueryWizardTexts.h"
#include "runtime/report/PreviewWindow.h"
#include "runtime/text/DateTime.h"
#include "tests/app/reports/ReportFixture.h"
#include "tests/support/EventLoop.h"
#include "tests/support/ShellCommand.h"
#include "tests/support/WindowDriving.h"

namespace cdz::test {
namespace {

TEST(DjLog, ListsByMediaWithTheYearAsStoredAndTheUsersNotesCaption) {
    StateFixture f;
    f.state->settings().notesLabel = "Cue";
    Catalogue& c = f.state->catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Cadenzio), 0);
    struct S {
        const char* title;
        const char* media;
        const char* file;
        int32_t release;
    };
    for (const S& s : {S{"Bare Year", "LP", "2", 1987}, S{"No Date", "CD", "9", 0},
                       S{"Dated", "LP", "1", dateFromYmd(2004, 5, 6)}}) {
        c.file(CatalogueFile::Cadenzio).clearBuffer();
        c.song().Artist = "Artist";
        c.song().Title = s.title;
        c.song().Media = s.media;
        c.song().FileNumber = s.file;
        c.song().ReleaseDate = s.release;
        ASSERT_EQ(c.file(CatalogueFile::Cadenzio).add(), 0);
    }
    FileUse files(c, {CatalogueFile::Categories});
    ReportJob job(*f.state, *ReportCatalogue::find("PRINTDJLIST"), {}, letterPaper());
    ASSERT_TRUE(job.start());
    while (job.step(10)) {
    }
    ASSERT_TRUE(job.finish());
    const auto texts = textsOf(job.pages());
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "DJ LOG");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Cue"), texts.end());
    // Each title is followed, a few runs on, by its year: CD first, then LP by file number.
    std::vector<std::string> rows;
    for (size_t i = 0; i + 3 < texts.size(); ++i)
        if (texts[i] == "No Date" || texts[i] == "Dated" || texts[i] == "Bare Year")
            rows.push_back(texts[i] + "=" + texts[i + 3]);
    EXPECT_EQ(rows, (std::vector<std::string>{"No Date= --", "Dated=2004", "Bare Year=1987"}));
    c.release(CatalogueFile::Cadenzio);
}

// The DJ log run from the menu to its preview; the preview's texts, the preview closed.
std::vector<std::string> previewed(StateFixture& f) {
    EXPECT_NE(f.state->starter().start("PRINTDJLIST"), 0);
    EXPECT_TRUE(waitFor([] { return openPreview() != nullptr; }));
    PreviewWindow* preview = openPreview();
    if (!preview) return {};
    const auto texts = textsOf(dynamic_cast<const PageList&>(preview->source()));
    preview->close();
    EXPECT_TRUE(waitFor([&] { return f.state->starter().instances().empty(); }));
    return texts;
}

// A saved filter the view cannot take is told (warning 36) and the log prints without it.
TEST(DjLog, ASavedFilterThatCannotBeAppliedIsToldAndLeftOut) {
    StateFixture f;
    setQueryWizardTexts();
    addSongs(*f.state, {{"Bell", "Ring Out"}, {"Abel", "Cain"}});
    QWidget frame;
    defineReportsProcedures(*f.state, frame);
    // A query saved as the user saves one: Artist begins with "b".
    f.dialogs->queue(Button::Yes);  // preview
    f.dialogs->queue(Button::Yes);  // "Would you like to save this query?"
    whenUp("SavedQueryBrowse", [](QWidget& browse) {
        whenUp("QueryWizard", [](QWidget& wizard) {
            chooseRow(wizard, "FieldList", "Artist");
            click(wizard, "NextButton");
            chooseRow(wizard, "OperatorList", "Begins With");
            click(wizard, "NextButton");
            wizard.findChild<QLineEdit*>("ValueEntry")->setText("b");
            click(wizard, "NextButton");
            whenUp("SavedQueryDescription", [](QWidget& form) {
                form.findChild<QLineEdit*>("DescriptionEdit")->setText("B artists");
                click(form, "OkButton");
            });
            click(wizard, "FinishButton");
        });
        click(browse, "InsertButton");
    });
    auto texts = previewed(f);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Bell"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Abel"), 0);

    // The saved text no longer fits the songs (a field since renamed): chosen, it is told and
    // the whole log prints, three times over.
    const auto edited = runSqliteShell(f.dir.path() / "QUERIES.TPS",
                                       "update XRQW_Queries set QueryString = 'MUS:Gone = 1';");
    ASSERT_EQ(edited.exitCode, 0) << edited.err;
    for (int round = 1; round <= 3; ++round) {
        const size_t mark = f.dialogs->shown().size();
        f.dialogs->queue(Button::Yes);  // preview
        whenUp("SavedQueryBrowse", [](QWidget& browse) {
            auto* list = browse.findChild<QTreeView*>("SavedQueryList");
            ASSERT_NE(list, nullptr);
            const QModelIndexList found = list->model()->match(
                list->model()->index(0, 0), Qt::DisplayRole, "B artists", 1, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1);
            list->setCurrentIndex(found.front());
            click(browse, "SelectButton");
        });
        texts = previewed(f);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Bell"), 1) << round;
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Abel"), 1) << round;
        std::vector<std::string> told;
        for (size_t i = mark; i < f.dialogs->shown().size(); ++i)
            told.push_back(f.dialogs->shown()[i].title);
        EXPECT_EQ(told, (std::vector<std::string>{"Preview", "View Open Error"})) << round;
    }
}

}  // namespace
}  // namespace cdz::test
