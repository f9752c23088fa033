// A report as the Reports menu starts it: the criteria window, the progress window, then the
// preview with Print, or a note that there was nothing.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/reports/ReportsProcedures.h"
#include "runtime/report/PreviewWindow.h"
#include "tests/app/reports/ReportFixture.h"
#include "tests/support/EventLoop.h"

namespace cdz::test {
namespace {

// Answers the criteria window once it is up: preview, and the starts-with text if any.
void answerCriteria(const char* selection) {
    QTimer::singleShot(0, [selection] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        w->findChild<QCheckBox*>("Preview")->setChecked(true);
        if (*selection) {
            w->findChild<QRadioButton*>("IncludeSelected")->click();
            w->findChild<QLineEdit*>("Selection")->setText(selection);
        }
        w->findChild<QPushButton*>("OkButton")->click();
    });
}

TEST(ReportSession, PreviewsThenPrintsTheCopiesOrSaysThereWasNothing) {
    StateFixture f;
    addSongs(*f.state, {{"Bell", "Ring Out"}, {"Abel", "Cain"}});
    QWidget frame;
    defineReportsProcedures(*f.state, frame);
    const std::string pdf = (f.dir.path() / "printed.pdf").string();
    QPrinter& printer = f.state->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    printer.setCopyCount(3);

    answerCriteria("");
    ASSERT_NE(f.state->starter().start("PRINTMUS:SONGSBYARTIST"), 0);
    ASSERT_TRUE(waitFor([] { return openPreview() != nullptr; }));
    PreviewWindow* preview = openPreview();
    EXPECT_EQ(preview->findChild<QLabel*>("previewPosition")->text(), "Page 1 of 1");
    preview->print();
    ASSERT_TRUE(waitFor([&] { return f.state->starter().instances().empty(); }));
    EXPECT_EQ(f.state->response(), Response::Completed);
    QFile printed(QString::fromStdString(pdf));
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_EQ(printed.readAll().count("/Type /Page\n"), 3);  // exactly three copies
    EXPECT_EQ(printer.copyCount(), 3);
    // Every file the report took is given back.
    EXPECT_EQ(f.state->catalogue().useCount(CatalogueFile::Cadenzio), 0);

    answerCriteria("zz");
    f.state->starter().start("PRINTMUS:SONGSBYARTIST");
    ASSERT_TRUE(waitFor([&] { return f.state->starter().instances().empty(); }));
    EXPECT_EQ(openPreview(), nullptr);
    EXPECT_EQ(f.lastMessage(), "Nothing to Preview.");
    EXPECT_EQ(f.dialogs->shown().back().title, "NOTE...");
}

// A long report previews its first page while the rest is made; the progress keeps its Cancel,
// whose partial preview keeps the pages made, and closing the preview ends the report.
TEST(ReportSession, ThePreviewOpensOnThePagesMadeSoFarAndGrows) {
    for (const bool closeEarly : {false, true}) {
        StateFixture f;
        std::vector<TestSong> songs(12000, TestSong{"Artist"});
        addSongs(*f.state, songs);
        QWidget frame;
        defineReportsProcedures(*f.state, frame);
        answerCriteria("");
        ASSERT_NE(f.state->starter().start("PRINTMUS:SONGSBYARTIST"), 0);
        ASSERT_TRUE(waitFor([] { return openPreview() != nullptr; }));
        PreviewWindow* preview = openPreview();
        auto* progress = frame.findChild<QWidget*>("ReportProgress");
        ASSERT_NE(progress, nullptr);
        EXPECT_TRUE(progress->isVisible()) << "the report is still being made";
        EXPECT_TRUE(preview->layout().pageCount() < 150 && !preview->layout().complete());
        const QString position = preview->findChild<QLabel*>("previewPosition")->text();
        EXPECT_TRUE(position.startsWith("Page 1 of ") && position.endsWith("..."))
            << position.toStdString();
        if (closeEarly) {
            preview->close();
        } else {
            f.dialogs->queue(Button::Yes);  // cancel
            f.dialogs->queue(Button::Yes);  // preview what was made
            QTest::keyClick(progress, Qt::Key_Escape);
            ASSERT_TRUE(waitFor([&] { return preview->layout().complete(); }));
            const int made = preview->layout().pageCount();
            EXPECT_EQ(made, preview->source().pageCount());
            EXPECT_TRUE(made > 0 && made < 150) << made;  // the whole report is about 180
            EXPECT_EQ(preview->findChild<QLabel*>("previewPosition")->text(),
                      QString("Page 1 of %1").arg(made));
            preview->close();
        }
        ASSERT_TRUE(waitFor([&] { return f.state->starter().instances().empty(); }));
        EXPECT_EQ(f.state->response(), Response::Cancelled);
        EXPECT_EQ(f.state->catalogue().useCount(CatalogueFile::Cadenzio), 0);
    }
}

// The spools of this process in the temporary folder.
int spools() {
    return QDir::temp()
        .entryList({QString("cdzpages-%1-*").arg(QCoreApplication::applicationPid())})
        .size();
}

TEST(ReportSession, APaperSaverPrintsAtOnceWithTheLastSelectionAndACancelledWizard) {
    struct Case {
        const char* include;
        const char* selection;
        std::vector<std::string> printed;
    };
    const Case cases[] = {
        {"", "", {"Abel", "Bell"}},  // before any criteria window: all of them
        {"Selected", "b", {"Bell"}},
    };
    for (const Case& c : cases) {
        StateFixture f;
        addSongs(*f.state, {{"Bell", "Ring Out"}, {"Abel", "Cain"}});
        f.state->reportCriteria.selectedOrAll = c.include;
        f.state->reportCriteria.selection = c.selection;
        QWidget frame;
        defineReportsProcedures(*f.state, frame);
        const QString pdf = QString::fromStdString((f.dir.path() / "saver.pdf").string());
        f.state->printer().setOutputFormat(QPrinter::PdfFormat);
        f.state->printer().setOutputFileName(pdf);
        // The saved queries of the paper savers' class come first; closed, nothing filters.
        QStringList seen;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&seen] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w) return;
            seen << w->objectName();
            if (auto* close = w->findChild<QPushButton*>("CloseButton")) close->click();
            if (auto* cancel = w->findChild<QPushButton*>("CancelButton")) cancel->click();
        });
        closer.start(20);
        f.state->starter().start("PRINTPAPERSAVER");
        ASSERT_TRUE(waitFor([&] { return f.state->starter().instances().empty(); }));
        EXPECT_EQ(openPreview(), nullptr);  // printed, never previewed
        EXPECT_EQ(seen.value(0), "SavedQueryBrowse");
        QFile printed(pdf);
        ASSERT_TRUE(printed.open(QIODevice::ReadOnly)) << c.include;
        EXPECT_EQ(printed.readAll().count("/Type /Page\n"), 1);
        const QString text = pdfText(pdf);
        for (const char* artist : {"Abel", "Bell"}) {
            const bool wanted =
                std::find(c.printed.begin(), c.printed.end(), artist) != c.printed.end();
            EXPECT_EQ(text.contains(artist), wanted) << artist << " " << c.include;
        }
        EXPECT_EQ(spools(), 0);  // the pages' spool went with the report
    }
}

}  // namespace
}  // namespace cdz::test
