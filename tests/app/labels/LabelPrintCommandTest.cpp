// `cdzapp --print-label`: each kind of label written to PDF on A4 and on Letter and read back
// through its text; a label that is not there.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include "app/engine/state/AppState.h"
#include "runtime/ui/ScriptedDialogs.h"
#include "tests/support/BuiltPaths.h"
#include "tests/support/TempDir.h"

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

QString pdfText(const QString& pdf) {
    QProcess gs;
    gs.start(QStandardPaths::findExecutable("gs"),
             {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=txtwrite", "-sOutputFile=-", pdf});
    gs.waitForFinished(-1);
    // Words come apart with tabs; runs of blanks are of no interest.
    return QString::fromUtf8(gs.readAllStandardOutput()).simplified();
}

void addFont(AppState& state, int id, const char* typeface) {
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Fonts), 0);
    c.file(CatalogueFile::Fonts).clearBuffer();
    c.font().FontID = id;
    c.font().TypeFace = typeface;
    c.font().Size = "16";
    c.font().Style = "700";
    ASSERT_EQ(c.file(CatalogueFile::Fonts).add(), 0);
    c.release(CatalogueFile::Fonts);
}

void addLabels(AppState& state) {
    addFont(state, 5, "DejaVu Serif");
    addFont(state, 6, "Nonesuch Face");
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Labels), 0);
    DataFile& file = c.file(CatalogueFile::Labels);
    LabelRecord& l = c.label();
    file.clearBuffer();
    l.LabelID = 1;
    l.LabelDescription = "Blue Train";
    l.LabelType = "CD";
    l.CDTitle = "Blue Train - John Coltrane";
    l.CDSpine = "Blue Train - John Coltrane";
    l.CDCoverText = "1. Blue Train (10:43)\r\n2. Moment's Notice (9:10)";
    l.CDInsideText = "Recorded 1957";
    l.CDSpineFontID = 12;  // no such font: the designed one
    l.ImageName = "cover-gone.png";
    ASSERT_EQ(file.add(), 0);
    file.clearBuffer();
    l.LabelID = 2;
    l.LabelDescription = "Road Tape";
    l.LabelType = "Cassette";
    l.CassetteTitle = "Road Tape\r\nSummer 1998";
    l.CassetteFlap = "Mixed by Ana";
    l.CassetteFlapFontID = 6;  // a typeface this computer lacks
    l.CassetteContentsA = "  1. Opening (3:25)\r\n  2. Highway (12:34)";
    l.CassetteContentsB = "  1. Closing (1:02:03)";
    ASSERT_EQ(file.add(), 0);
    // A CD label with its picture, at its own size, and its cover texts aligned left.
    QImage picture(150, 150, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(QString::fromStdString((state.dataFolder() / "cover.png").string())));
    file.clearBuffer();
    l.LabelID = 3;
    l.LabelDescription = "Kind of Blue";
    l.LabelType = "CD";
    l.CDTitle = "Kind of Blue - Miles Davis";
    l.CDSpine = "Kind of Blue - Miles Davis";
    l.CDSpineJustification = "Left";
    l.CDTextJustification = "Left";
    l.CDInsideText = "So What\r\nFreddie Freeloader\r\nBlue in Green";
    l.CDCoverText = "1. So What (9:22)\r\n2. Freddie Freeloader (9:46)\r\n3. Blue in Green (5:37)";
    l.ImageName = "cover.png";
    l.ImageSize = "Actual";
    l.CDInsideTextFontID = 5;
    ASSERT_EQ(file.add(), 0);
    c.release(CatalogueFile::Labels);
}

TEST(LabelPrintCommand, PrintsEachKindOnEachPaperOrSaysWhyNot) {
    if (QStandardPaths::findExecutable("gs").isEmpty()) GTEST_SKIP() << "Ghostscript is needed";
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    {
        AppState state(dir.path(), std::make_unique<ScriptedDialogs>());
        addLabels(state);
    }
    struct Case {
        const char* label;
        const char* paper;
        int status;
        QStringList inPdf;
        const char* message;
    };
    const QStringList cd{"Blue Train - John Coltrane", "1. Blue Train (10:43)",
                         "2. Moment's Notice (9:10)", "Recorded 1957"};
    const QStringList cassette{"Side A",
                               "Side B",
                               "1. Opening (3:25)",
                               "2. Highway (12:34)",
                               "1. Closing (1:02:03)",
                               "Road Tape",
                               "Summer 1998",
                               "Mixed by Ana"};
    const Case cases[] = {
        {"1", "A4", 0, cd, "cover-gone.png could not be read"},
        {"1", "Letter", 0, cd, "1 page written"},
        {"2", "A4", 0, cassette, "this computer has no Nonesuch Face"},
        {"2", "Letter", 0, cassette, "(Orvanta 98 Cassette Label): 1 page written"},
        {"3", "Letter", 0, {"Kind of Blue - Miles Davis", "Blue in Green"}, "1 page written"},
        {"9", "A4", 1, {}, "there is no label 9"},
        {"x", "A4", 2, {}, "needs a label number"},
        {"1", "B5", 2, {}, "--paper is A4 or Letter"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString pdf = folder + QString("/label%1.pdf").arg(++n);
        const Outcome o = cdzapp(
            {"--print-label", c.label, "--paper", c.paper, "--data-dir", folder, "--pdf", pdf});
        const std::string what = std::string(c.label) + " " + c.paper;
        EXPECT_EQ(o.status, c.status) << what << o.err.toStdString();
        EXPECT_TRUE((o.out + o.err).contains(c.message)) << what << (o.out + o.err).toStdString();
        EXPECT_EQ(QFile::exists(pdf), c.status == 0) << what;
        if (c.status != 0) continue;
        const QString text = pdfText(pdf);
        for (const QString& t : c.inPdf) EXPECT_TRUE(text.contains(t)) << what << t.toStdString();
        // The paper asked for: 595 x 842 points or 612 x 792.
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.contains(std::string_view(c.paper) == "A4" ? "/MediaBox [0 0 595"
                                                                     : "/MediaBox [0 0 612"))
            << what;
        // Only the label with a picture that can be read carries an image.
        EXPECT_EQ(bytes.contains("/Subtype /Image"), std::string_view(c.label) == "3") << what;
        // Only that label names a favourite font that is kept (font 12 was deleted).
        EXPECT_EQ(bytes.contains("DejaVuSerif"), std::string_view(c.label) == "3") << what;
    }
}

}  // namespace
}  // namespace cdz::test
