// Printing makes exactly the copies asked for, collated or not, and leaves the user's printer
// set-up as it was.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "runtime/report/PageList.h"
#include "runtime/report/PagePrinter.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

Page sheet(int n) {
    Page page{Mils{4000}, Mils{3000}, {}};
    page.items.push_back(TextRun{{500_mils, 500_mils, 3000_mils, 400_mils},
                                 QString("Sheet%1").arg(n),
                                 FontSpec{"DejaVu Sans", 20},
                                 kBlack,
                                 TextAlign::Left});
    return page;
}

// The sheet labels of a PDF, in page order, read back through Ghostscript's text output.
QStringList sheetsIn(const QString& pdf) {
    QProcess gs;
    gs.start(QStandardPaths::findExecutable("gs"),
             {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=txtwrite", "-sOutputFile=-", pdf});
    gs.waitForFinished(-1);
    QStringList out;
    static const QRegularExpression label("Sheet\\d");
    for (const auto& m : label.globalMatch(QString::fromUtf8(gs.readAllStandardOutput())))
        out << m.captured(0);
    return out;
}

TEST(PagePrinter, MakesExactlyTheCopiesAskedForCollatedOrNot) {
    if (QStandardPaths::findExecutable("gs").isEmpty()) GTEST_SKIP() << "Ghostscript is needed";
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    PageList pages(folder);
    ASSERT_TRUE(pages.append(sheet(1)) && pages.append(sheet(2)));
    struct Case {
        bool collate;
        QStringList sheets;
    };
    const Case cases[] = {
        {true, {"Sheet1", "Sheet2", "Sheet1", "Sheet2", "Sheet1", "Sheet2"}},
        {false, {"Sheet1", "Sheet1", "Sheet1", "Sheet2", "Sheet2", "Sheet2"}},
    };
    for (const Case& c : cases) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = folder + (c.collate ? "/collated.pdf" : "/uncollated.pdf");
        printer.setOutputFileName(pdf);
        printer.setCopyCount(3);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const PrintOutcome out = PagePrinter::print(pages, printer, 3, c.collate);
        ASSERT_TRUE(out.ok()) << out.message.toStdString();
        EXPECT_EQ(out.sheets, 6);
        EXPECT_EQ(sheetsIn(pdf), c.sheets) << c.collate;
        // The set-up is the user's again: copies and paper as they were.
        EXPECT_EQ(printer.copyCount(), 3);
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    }
}

// A PDF that cannot be written whole leaves the file at its path as it was.
TEST(PagePrinter, APdfThatCannotBeWrittenKeepsTheOldFile) {
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    PageList pages(folder);
    for (int n = 0; n < 20; ++n) ASSERT_TRUE(pages.append(sheet(n)));
    const QString pdf = folder + "/out/old.pdf";
    QDir().mkpath(folder + "/out");
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    {
        test::FileSizeLimit limit(4096);
        const PrintOutcome out = PagePrinter::print(pages, printer, 1, true);
        EXPECT_EQ(out.message,
                  "Cannot write the PDF file " + pdf + ": the file could not be written whole.");
    }
    EXPECT_EQ(printer.outputFileName(), pdf);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
    EXPECT_EQ(QDir(folder + "/out").entryList(QDir::Files | QDir::Hidden), QStringList{"old.pdf"});
}

}  // namespace
}  // namespace cdz
