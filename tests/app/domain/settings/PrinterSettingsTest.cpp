// The printer set-up kept in section "Printer" of the settings file.
#include <QPageLayout>
#include <QPrinter>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "app/domain/settings/PrinterSettings.h"
#include "runtime/ini/IniFile.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

std::string describe(const QPrinter& p) {
    const QPageLayout page = p.pageLayout();
    return (p.outputFormat() == QPrinter::PdfFormat ? "PDF " + p.outputFileName().toStdString()
                                                    : "printer " + p.printerName().toStdString()) +
           ", " + page.pageSize().key().toStdString() +
           (page.orientation() == QPageLayout::Landscape ? ", landscape, " : ", portrait, ") +
           std::to_string(p.copyCount()) + (p.collateCopies() ? " collated" : "");
}

// Each section is read onto a fresh printer, written back beside other settings and read again.
TEST(PrinterSettings, ASetUpReadsBackAsWrittenAndAGoneOrGarbledPartStaysAsOnAFreshPrinter) {
    const QPrinter fresh(QPrinter::HighResolution);
    const struct {
        std::string section;
        std::string printer;  // "" for a fresh printer's set-up
    } cases[] = {
        {"Output=PDF\nPdfFile=/r/a.pdf\nPaper=A4\nOrientation=Landscape\nCopies=3\nCollate=1",
         "PDF /r/a.pdf, A4, landscape, 3 collated"},
        {"Output=pdf\nPdfFile=/r/b\nPaper=Letter\nOrientation=Portrait\nCopies=999\nCollate=0",
         "PDF /r/b, Letter, portrait, 999"},
        {"Output=PDF\nPdfFile=/r/c.pdf\nPaper=Custom.100x150mm\nCopies=2\nCollate=0",
         "PDF /r/c.pdf, Custom.100x150mm, portrait, 2"},
        {"Output=Printer\nPrinter=Basement Laser 9000", ""},
        {"Output=Fax\nPaper=A99\nOrientation=Sideways\nCopies=3 copies\nCollate=yes", ""},
        {"Paper=Custom.0x150mm\nCopies=0\nCollate=", ""},
        {"Paper=Custom.axbmm\nCopies=1000", ""},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        std::ofstream(dir.file("in.ini")) << "[Printer]\n" << c.section << "\n";
        QPrinter read(QPrinter::HighResolution);
        PrinterSettings::read(IniFile(dir.file("in.ini")), read);
        EXPECT_EQ(describe(read), c.printer.empty() ? describe(fresh) : c.printer) << c.section;

        std::ofstream(dir.file("out.ini")) << "[Settings]\nAddMode=1\n";
        IniFile out(dir.file("out.ini"));
        ASSERT_TRUE(PrinterSettings::write(read, out));
        EXPECT_EQ(out.read("Settings", "AddMode"), "1");
        QPrinter again(QPrinter::HighResolution);
        PrinterSettings::read(out, again);
        EXPECT_EQ(describe(again), describe(read)) << c.section;
    }
}

}  // namespace
}  // namespace cdz
