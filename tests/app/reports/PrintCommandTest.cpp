// `cdzapp --print`: a report written to PDF without a window, read back through its text.
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <QFile>

#include "tests/app/reports/ReportFixture.h"
#include "tests/support/BuiltPaths.h"

namespace cdz::test {
namespace {

struct Outcome {
    int status;
    QString out, err;
};

Outcome cdzapp(const QStringList& args) {
    QProcess p;
    p.start(cdz::test::appPath(), args);
    p.waitForFinished(-1);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(PrintCommand, WritesTheReportOrSaysWhyNot) {
    if (QStandardPaths::findExecutable("gs").isEmpty()) GTEST_SKIP() << "Ghostscript is needed";
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    {
        AppState state(dir.path(), std::make_unique<ScriptedDialogs>());
        addCategory(state, 3, "Jazz");
        addSongs(state, {{"Bell", "Ring Out", 3}, {"Abel", "Cain"}, {"Mark (*)", "Hidden"}});
    }
    struct Case {
        QStringList args;
        int status;
        QStringList inPdf, notInPdf;
        const char* message;
    };
    const Case cases[] = {
        {{},
         0,
         {"Songs by Artist", "Ring Out", "Jazz", "Cain", "Page 1"},
         {"Hidden"},
         "1 page written"},
        {{"--selected", "BE"}, 0, {"Ring Out"}, {"Cain"}, "1 page written"},
        {{"--filter", "MUS:Title = 'Cain'"}, 0, {"Cain"}, {"Ring Out"}, "1 page written"},
        {{"--selected", "zz"}, 1, {}, {}, "Nothing to Print."},
        {{"--filter", "MUS:Title ="}, 1, {}, {}, "cannot be made"},
        {{"--selected", "a", "--filter", "1"}, 2, {}, {}, "either --selected or --filter"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString pdf = folder + QString("/r%1.pdf").arg(++n);
        const Outcome o = cdzapp(
            QStringList{"--print", "printmus:songsbyartist", "--data-dir", folder, "--pdf", pdf} +
            c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(o.status, c.status) << what << o.err.toStdString();
        EXPECT_TRUE((o.out + o.err).contains(c.message)) << what << (o.out + o.err).toStdString();
        EXPECT_EQ(QFile::exists(pdf), c.status == 0) << what;
        if (c.status != 0) continue;
        const QString text = pdfText(pdf);
        for (const QString& t : c.inPdf) EXPECT_TRUE(text.contains(t)) << what << t.toStdString();
        for (const QString& t : c.notInPdf)
            EXPECT_FALSE(text.contains(t)) << what << t.toStdString();
    }
    const Outcome unknown =
        cdzapp({"--print", "NOSUCHREPORT", "--data-dir", folder, "--pdf", folder + "/x.pdf"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.contains("PRINTMUS:SONGSBYARTIST"));  // the reports are listed
}

// Each shape of report on its own pages: the paper saver's bands, a card per song in the
// artist order, read back page by page.
TEST(PrintCommand, EachShapeWritesItsOwnPages) {
    if (QStandardPaths::findExecutable("gs").isEmpty()) GTEST_SKIP() << "Ghostscript is needed";
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    {
        AppState state(dir.path(), std::make_unique<ScriptedDialogs>());
        addSongs(state, {{"Bell", "Ring Out"}, {"Abel", "Cain"}, {"Cole", "Dove"}});
    }
    struct Case {
        const char* report;
        const char* pages;
        int page;
        QStringList onPage, notOnPage;
    };
    const Case cases[] = {
        {"PRINTPAPERSAVER",
         "1 page written",
         1,
         {"Songs by Artist", "Abel", "Ring Out", "Dove"},
         {}},
        {"PRINTPAPERSAVERTITLE", "1 page written", 1, {"Songs by Title", "Cain", "Cole"}, {}},
        {"PRINTINDEX:SONGSARTIST", "3 pages", 2, {"Artist:", "Bell", "Ring Out"}, {"Cain"}},
        {"PRINTINDEX:SONGTITLE", "3 pages", 3, {"Title:", "Ring Out"}, {"Dove"}},
        {"PRINTROTARY:SONGSARTIST", "3 pages", 3, {"Cole", "Dove"}, {"Artist:", "Bell"}},
    };
    for (const Case& c : cases) {
        const QString pdf = folder + "/" + QString(c.report).replace(':', '_') + ".pdf";
        const Outcome o = cdzapp({"--print", c.report, "--data-dir", folder, "--pdf", pdf});
        ASSERT_EQ(o.status, 0) << c.report << o.err.toStdString();
        EXPECT_TRUE(o.out.contains(c.pages)) << c.report << o.out.toStdString();
        const QString text = pdfText(pdf, c.page);
        for (const QString& t : c.onPage)
            EXPECT_TRUE(text.contains(t)) << c.report << t.toStdString();
        for (const QString& t : c.notOnPage)
            EXPECT_FALSE(text.contains(t)) << c.report << t.toStdString();
    }
}

}  // namespace
}  // namespace cdz::test
