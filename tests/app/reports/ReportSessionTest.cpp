// A report as the Reports menu starts it: the criteria window, the progress window, then the
// preview with Print, or a note that there was nothing.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/reports/ReportsProcedures.h"
#include "runtime/report/PreviewWindow.h"
#include "tests/app/reports/ReportFixture.h"

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

PreviewWindow* openPreview() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<PreviewWindow*>(w); p && p->isVisible()) return p;
    return nullptr;
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
    EXPECT_EQ(f.state->response, Response::Completed);
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

}  // namespace
}  // namespace cdz::test
