// The album reports written to PDF by `--print`, read back through the PDF's text; the
// one-album song list takes its album from --album.
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <QFile>
#include <cstdio>

#include "app/reports/PrintCommand.h"
#include "tests/app/reports/AlbumFixture.h"

namespace cdz::test {
namespace {

std::string readBack(std::FILE* f) {
    std::rewind(f);
    std::string out;
    for (int ch; (ch = std::fgetc(f)) != EOF;) out += static_cast<char>(ch);
    return out;
}

TEST(AlbumPrintCommand, WritesTheAlbumReportsOrSaysWhatIsMissing) {
    if (QStandardPaths::findExecutable("gs").isEmpty()) GTEST_SKIP() << "Ghostscript is needed";
    struct Case {
        const char* report;
        const char* album;  // nullptr: no --album
        int status;
        QStringList inPdf, notInPdf;
        const char* message;
    };
    const Case cases[] = {
        {"PRINTONEALBUM",
         "2",
         0,
         {"Abbey Opening", "Abbey Closing"},
         {"Zenith", "Loose"},
         "1 page written"},
        {"PRINTONEALBUM", nullptr, 2, {}, {}, "give its number with --album N"},
        {"PRINTONEALBUM", "two", 2, {}, {}, "--album needs an album number"},
        {"PRINTALBUMSBYARTIST", "2", 2, {}, {}, "--album is for PRINTONEALBUM only"},
        {"PRINTVALUATIONALBUM",
         nullptr,
         0,
         {"Orvanta Valuation Report", "110,001.04"},
         {},
         "1 page written"},
    };
    AlbumCatalogue f;
    int n = 0;
    for (const Case& c : cases) {
        PrintOrder order;
        order.report = c.report;
        order.hasAlbum = c.album != nullptr;
        order.album = c.album ? c.album : "";
        order.pdf = (f.dir.path() / ("r" + std::to_string(++n) + ".pdf")).string();
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        ASSERT_TRUE(out && err);
        const int status = PrintCommand::run(*f.state, order, out, err);
        const std::string said = readBack(out) + readBack(err);
        std::fclose(out);
        std::fclose(err);
        const std::string what = std::string(c.report) + " " + (c.album ? c.album : "-");
        EXPECT_EQ(status, c.status) << what << ": " << said;
        EXPECT_NE(said.find(c.message), std::string::npos) << what << ": " << said;
        const QString pdf = QString::fromStdString(order.pdf);
        EXPECT_EQ(QFile::exists(pdf), c.status == 0) << what;
        if (c.status != 0) continue;
        const QString text = pdfText(pdf);
        for (const QString& t : c.inPdf) EXPECT_TRUE(text.contains(t)) << what << t.toStdString();
        for (const QString& t : c.notInPdf)
            EXPECT_FALSE(text.contains(t)) << what << t.toStdString();
    }
}

}  // namespace
}  // namespace cdz::test
