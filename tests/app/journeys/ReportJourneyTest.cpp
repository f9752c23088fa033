// Every report of the Reports menu chosen as a person chooses it, its windows answered as they
// come (the criteria with OK, the preview with Print), printed to a PDF file: three rounds, each
// PDF read back after each.
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>

#include <set>

#include "runtime/report/PreviewWindow.h"
#include "tests/app/journeys/Journey.h"
#include "tests/app/reports/ReportFixture.h"
#include "tests/support/PdfText.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

class ReportJourney : public Journey {
protected:
    // Albums 0..n-1, and songs on them in the one category there is.
    void addAlbums(int n) {
        FileUse files(catalogue(),
                      {CatalogueFile::Album, CatalogueFile::Cadenzio, CatalogueFile::Categories});
        ASSERT_TRUE(files.ok());
        catalogue().category().CategoryID = 1;
        catalogue().category().Category = "Jazz";
        ASSERT_EQ(catalogue().file(CatalogueFile::Categories).add(), 0);
        for (int i = 0; i < 2 * n; ++i) {
            catalogue().file(CatalogueFile::Cadenzio).clearBuffer();
            catalogue().song().ID = 1000 + i;
            catalogue().song().Artist = "Artist " + std::to_string(i / 2);
            catalogue().song().Title = "Song " + std::to_string(i);
            catalogue().song().Album = "Album " + std::to_string(i / 2);
            catalogue().song().CategoryID = 1;
            ASSERT_EQ(catalogue().file(CatalogueFile::Cadenzio).add(), 0);
        }
        for (int i = 0; i < n; ++i) {
            catalogue().file(CatalogueFile::Album).clearBuffer();
            catalogue().album().AlbumID = i + 1;
            catalogue().album().Album = "Album " + std::to_string(i);
            catalogue().album().Artist = "Artist " + std::to_string(i);
            catalogue().album().Media = "CD";
            catalogue().album().PurPrice = 10 + i;
            ASSERT_EQ(catalogue().file(CatalogueFile::Album).add(), 0);
        }
    }

    // The report commands of the menu and its submenus, in menu order; the labels and the
    // playlists open browses of their own and have journeys of their own.
    std::vector<QAction*> reportCommands(QMenu& menu) {
        std::vector<QAction*> out;
        for (QAction* a : menu.actions()) {
            if (a->menu()) {
                auto more = reportCommands(*a->menu());
                out.insert(out.end(), more.begin(), more.end());
            } else if (!a->isSeparator() && a->objectName() != "actReportLabels" &&
                       a->objectName() != "actReportPlaylists") {
                out.push_back(a);
            }
        }
        return out;
    }

    // Answers each window the report puts up over the others, as it comes: a picker with its
    // first row selected, the criteria asking for the preview, any other with its OK.
    void answerWindows() {
        QTimer::singleShot(20, &frame(), [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal->isVisible() && !answered_.count(modal)) {
                answered_.insert(modal);
                titles_.push_back(modal->windowTitle().toStdString());
                auto* ask = modal->findChild<QCheckBox*>("Preview");
                // A person clicks the box itself, at the row's left end.
                if (ask && !ask->isChecked())
                    QTest::mouseClick(ask, Qt::LeftButton, {}, QPoint(8, ask->height() / 2));
                // The saved queries' browse, with none saved, is closed: the report takes all.
                for (const QString wanted : {"OK", "Ok", "Select", "Close"}) {
                    const auto buttons = modal->findChildren<QPushButton*>();
                    const auto b =
                        std::find_if(buttons.begin(), buttons.end(), [&](QPushButton* p) {
                            return p->isVisible() && p->isEnabled() &&
                                   p->text().remove('&') == wanted;
                        });
                    if (b == buttons.end()) continue;
                    QTest::mouseClick(*b, Qt::LeftButton);
                    break;
                }
            }
            if (answering_) answerWindows();
        });
    }

    // The preview the report opened, once it is up, printed with its Print button.
    bool printFromPreview() {
        for (int wait = 0; wait < 500 && !openPreview(); ++wait) QTest::qWait(10);
        PreviewWindow* preview = openPreview();
        if (!preview) return false;
        titles_.push_back(preview->windowTitle().toStdString());
        QTest::mouseClick(preview->findChild<QPushButton*>("previewPrint"), Qt::LeftButton);
        settle();
        return !openPreview();
    }

    std::set<QWidget*> answered_;
    std::vector<std::string> titles_;
    bool answering_ = true;
};

TEST_F(ReportJourney, EachReportPrintsToAPdfThreeTimes) {
    addSongs(30);
    addAlbums(12);
    auto* reports = frame().findChild<QMenu*>("menuReports");
    ASSERT_NE(reports, nullptr);
    const std::vector<QAction*> commands = reportCommands(*reports);
    EXPECT_EQ(commands.size(), 19u);
    TempDir dir;
    const QString pdf = QString::fromStdString((dir.path() / "report.pdf").string());
    state().printer().setOutputFormat(QPrinter::PdfFormat);
    state().printer().setOutputFileName(pdf);
    answerWindows();
    for (int round = 1; round <= 3; ++round) {
        for (QAction* command : commands) {
            const std::string name = command->objectName().toStdString();
            QFile::remove(pdf);
            titles_.clear();
            answered_.clear();  // a window of the last report may come again at its address
            const size_t mark = markDialogs();
            command->trigger();
            settle();
            // The paper savers print at once; every other report is seen first.
            if (!name.starts_with("actPaperSaver")) {
                EXPECT_TRUE(printFromPreview()) << name << " round " << round;
            }
            std::string seen;
            for (const std::string& t : titles_) seen += t + " | ";
            ASSERT_TRUE(QFile::exists(pdf)) << name << " round " << round << ": " << seen;
            EXPECT_TRUE(pdfText(pdf).contains("Album 3")) << name << " round " << round;
            for (const std::string& d : dialogsSince(mark)) {
                if (d != "Preview: Do you wish to PREVIEW this Report?")
                    ADD_FAILURE() << name << ": " << d;
            }
        }
    }
    answering_ = false;
    settle();
    expectFilesCheckOut();
}

// A long song list previews its first page while the rest is made; Escape on the progress, then
// "preview so far", keeps the pages made, and they print. Three rounds.
TEST_F(ReportJourney, ALongReportPreviewsAtOnceAndACancelKeepsThePagesMade) {
    addSongs(36000);
    TempDir dir;
    const QString pdf = QString::fromStdString((dir.path() / "sofar.pdf").string());
    state().printer().setOutputFormat(QPrinter::PdfFormat);
    state().printer().setOutputFileName(pdf);
    answerWindows();
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        QFile::remove(pdf);
        answered_.clear();
        const size_t mark = markDialogs();
        // Triggered without settling: the test looks while the report is still being made.
        frame().command("actSongsByArtist")->trigger();
        // One pass of the event loop at a time: each runs at most one slice of the report, so
        // the preview is seen before the slices that follow it, however fast they are.
        QElapsedTimer clock;
        clock.start();
        while (!openPreview() && clock.elapsed() < 30000) QCoreApplication::processEvents();
        PreviewWindow* preview = openPreview();
        ASSERT_NE(preview, nullptr);
        auto* progress = window("ReportProgress");
        ASSERT_NE(progress, nullptr) << "the report is still being made";
        EXPECT_FALSE(preview->layout().complete());
        dialogs().queue(Button::Yes);  // cancel
        dialogs().queue(Button::Yes);  // preview what was made
        QTest::keyClick(progress, Qt::Key_Escape);
        ASSERT_TRUE(waitFor([&] { return preview->layout().complete(); }));
        const int made = preview->layout().pageCount();
        EXPECT_LT(made, 400);  // the whole list is about 540 pages
        QTest::mouseClick(preview->findChild<QPushButton*>("previewPrint"), Qt::LeftButton);
        ASSERT_TRUE(waitFor([] { return !openPreview(); }));
        QFile printed(pdf);
        ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
        EXPECT_EQ(printed.readAll().count("/Type /Page\n"), made);
        EXPECT_EQ(
            dialogsSince(mark),
            (std::vector<std::string>{
                "Question: Are you sure you want to CANCEL this Report?",
                "Question: Report Cancellation Requested!| |Preview Report generated so far?"}));
    }
    answering_ = false;
    settle();
    expectFilesCheckOut();
}

}  // namespace
}  // namespace cdz::test
