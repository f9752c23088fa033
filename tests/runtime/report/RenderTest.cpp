// One drawing path: a page drawn into a 300-dpi image and into a PDF (rasterised again by
// Ghostscript) puts its text at the same places, at the size the design gave.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>

#include "runtime/report/PageList.h"
#include "runtime/report/PageRenderer.h"
#include "runtime/report/PdfExport.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

constexpr double kDpi = 300;
constexpr double kPixelsPerPoint = kDpi / 72;

QString folderOf(const test::TempDir& dir) {
    return QString::fromStdString(dir.path().string());
}

// Runs on rows of their own, so each row's ink belongs to one run.
const std::vector<TextRun> kRuns = {
    {{300_mils, 200_mils, 3400_mils, 400_mils},
     "Left 12 pt",
     {"DejaVu Sans", 12},
     kBlack,
     TextAlign::Left},
    {{300_mils, 900_mils, 3400_mils, 500_mils},
     "Centred 24 pt",
     {"DejaVu Sans", 24, 700},
     kBlack,
     TextAlign::Center},
    {{300_mils, 1800_mils, 3400_mils, 700_mils},
     "Right 36 pt",
     {"DejaVu Serif", 36, 400, true},
     kBlack,
     TextAlign::Right},
};

Page textPage() {
    return Page{4000_mils, 3000_mils, {kRuns.begin(), kRuns.end()}};
}

QRect inkIn(const QImage& image, const TextRun& run) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const int top = int(run.box.y.inches() * kDpi),
              bottom = top + int(run.box.height.inches() * kDpi);
    QRect ink;
    for (int y = top; y < std::min(bottom, grey.height()); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            if (line[x] < 128) ink |= QRect(x, y, 1, 1);
    }
    return ink;
}

// Where the text belongs, from the font at its point size measured on a 300-dpi device.
QRectF designedInk(const TextRun& run, const QImage& device) {
    QFont font(run.font.family);
    font.setPointSizeF(run.font.pointSize);
    font.setWeight(QFont::Weight(run.font.weight));
    font.setItalic(run.font.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(font, &device);
    const double left = run.box.x.inches() * kDpi, width = run.box.width.inches() * kDpi;
    const double advance = metrics.horizontalAdvance(run.text);
    const double x = run.align == TextAlign::Left     ? left
                     : run.align == TextAlign::Center ? left + (width - advance) / 2
                                                      : left + width - advance;
    return metrics.tightBoundingRect(run.text).translated(
        x, run.box.y.inches() * kDpi + metrics.ascent());
}

void expectWithinAPoint(const QRectF& seen, const QRectF& wanted, const std::string& what) {
    const double tolerance = kPixelsPerPoint;
    EXPECT_NEAR(seen.left(), wanted.left(), tolerance) << what;
    EXPECT_NEAR(seen.top(), wanted.top(), tolerance) << what;
    EXPECT_NEAR(seen.right(), wanted.right(), tolerance) << what;
    EXPECT_NEAR(seen.bottom(), wanted.bottom(), tolerance) << what;
}

QImage imageOf(const Page& page) {
    QImage image(int(page.width.inches() * kDpi), int(page.height.inches() * kDpi),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(int(kDpi / 0.0254 + 0.5));
    image.setDotsPerMeterY(int(kDpi / 0.0254 + 0.5));
    image.fill(Qt::white);
    QPainter painter(&image);
    renderPage(painter, page, QRectF(image.rect()));
    return image;
}

TEST(RenderPage, TextInA300DpiImageAndInAPdfSitsWhereTheDesignPutIt) {
    const QString gs = QStandardPaths::findExecutable("gs");
    if (gs.isEmpty()) GTEST_SKIP() << "Ghostscript is needed to read the PDF back";
    test::TempDir dir;
    PageList pages(folderOf(dir));
    ASSERT_TRUE(pages.append(textPage()));
    ASSERT_TRUE(pages.append(Page{3000_mils, 2000_mils, {}}));
    const QString pdf = folderOf(dir) + "/page.pdf";
    const PdfOutcome outcome = PdfExport::write(pages, pdf);
    ASSERT_TRUE(outcome.written) << outcome.message.toStdString();

    QProcess ghostscript;
    ghostscript.start(gs, {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pnggray", "-r300",
                           "-dTextAlphaBits=4", "-sOutputFile=" + folderOf(dir) + "/p%d.png", pdf});
    ASSERT_TRUE(ghostscript.waitForFinished(-1));
    ASSERT_EQ(ghostscript.exitCode(), 0) << ghostscript.readAllStandardError().toStdString();
    const QImage fromPdf(folderOf(dir) + "/p1.png");
    // Each page on its own paper: 4 x 3 inches, then 3 x 2 inches.
    EXPECT_EQ(fromPdf.size(), QSize(1200, 900));
    EXPECT_EQ(QImage(folderOf(dir) + "/p2.png").size(), QSize(900, 600));

    const QImage drawn = imageOf(textPage());
    for (const TextRun& run : kRuns) {
        const QRect ink = inkIn(drawn, run);
        ASSERT_FALSE(ink.isEmpty()) << run.text.toStdString();
        expectWithinAPoint(QRectF(ink), designedInk(run, drawn),
                           "image, " + run.text.toStdString());
        expectWithinAPoint(QRectF(inkIn(fromPdf, run)), QRectF(ink),
                           "pdf, " + run.text.toStdString());
    }
}

// A value wider than its column ends inside the column, shortened as a whole (an ellipsis in
// place of its end), on every device.
TEST(RenderPage, TextWiderThanItsBoxIsShortenedInsideIt) {
    const QString gs = QStandardPaths::findExecutable("gs");
    if (gs.isEmpty()) GTEST_SKIP() << "Ghostscript is needed to read the PDF back";
    Page page{3000_mils, 1000_mils, {}};
    int row = 0;
    for (TextAlign align : {TextAlign::Left, TextAlign::Right}) {
        TextRun run{{300_mils, Mils{100 + 300 * row++}, 900_mils, 250_mils},
                    "The Dance Dreamers of the Night",
                    {"DejaVu Sans", 12}};
        run.align = align;
        page.items.emplace_back(run);
    }
    page.items.emplace_back(
        TextRun{{1300_mils, 700_mils, 1500_mils, 250_mils}, "Fits", {"DejaVu Sans", 12}});
    const QImage drawn = imageOf(page);
    for (int y = 0; y < int(0.7 * kDpi); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (x >= int(0.3 * kDpi) && x <= int(1.2 * kDpi)) continue;
            ASSERT_EQ(qGray(drawn.pixel(x, y)), 255) << "ink outside the box at " << x << "," << y;
        }
    }
    test::TempDir dir;
    PageList pages(folderOf(dir));
    ASSERT_TRUE(pages.append(page));
    const QString pdf = folderOf(dir) + "/page.pdf";
    ASSERT_TRUE(PdfExport::write(pages, pdf).written);
    QProcess ghostscript;
    ghostscript.start(
        gs, {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=txtwrite", "-sOutputFile=-", pdf});
    ASSERT_TRUE(ghostscript.waitForFinished(-1));
    const QString text =
        QString::fromUtf8(ghostscript.readAllStandardOutput()).replace(QChar('\t'), QChar(' '));
    EXPECT_EQ(text.count("The Dan"), 2) << text.toStdString();
    EXPECT_FALSE(text.contains("Dreamers")) << text.toStdString();
    EXPECT_TRUE(text.contains("Fits")) << text.toStdString();
}

// Rows of ink separated by blank rows, from the top of the image.
int inkBands(const QImage& image) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        const bool ink = std::any_of(line, line + grey.width(), [](uchar v) { return v < 128; });
        if (ink && !inBand) ++bands;
        inBand = ink;
    }
    return bands;
}

// A wrapped run breaks between words (a word wider than the box between letters) onto the
// lines its box holds, losing no word; what the box does not hold is not drawn outside it.
TEST(RenderPage, AWrappedRunFillsTheLinesItsBoxHolds) {
    const QString text =
        "The Dance Dreamers of the Night and the Morning After "
        "Supercalifragilisticexpialidocious Rain";
    const FontSpec font{"DejaVu Sans", 12};
    const QStringList lines = wrapLines(text, font, 900);
    ASSERT_GT(lines.size(), 3);
    const QFontMetricsF metrics(fontInMils(font));
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), 900) << line.toStdString();
    EXPECT_EQ(lines.join("").remove(' '), QString(text).remove(' '));  // no letter lost
    EXPECT_FALSE(lines.join('\n').contains("Supercalifragilisticexpialidocious"));  // broken
    for (const int boxLines : {3, 12}) {
        TextRun run{{300_mils, 100_mils, 900_mils, Mils{boxLines * 200}}, text, font};
        run.wrap = true;
        const QImage drawn = imageOf(Page{1500_mils, 2600_mils, {run}});
        EXPECT_EQ(inkBands(drawn), std::min<int>(boxLines, int(lines.size()))) << boxLines;
        const QRect ink = drawn.rect().intersected(
            QRect(0, 0, int(1.2 * kDpi) + 1, int((0.1 + boxLines * 0.2) * kDpi) + 1));
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                if (ink.contains(x, y)) continue;
                ASSERT_EQ(qGray(drawn.pixel(x, y)), 255) << "ink outside at " << x << "," << y;
            }
        }
    }
}

// A PDF that cannot be written whole leaves what was at its path as it was.
TEST(PdfExport, SaysWhyAFileWasNotWrittenAndKeepsTheOldOne) {
    test::TempDir dir;
    PageList empty(folderOf(dir));
    PageList many(folderOf(dir));
    for (int n = 0; n < 40; ++n) ASSERT_TRUE(many.append(textPage()));
    const QString out = folderOf(dir) + "/out";
    const QString old = out + "/old.pdf";
    const QString folder = out + "/folder.pdf";
    QDir().mkpath(folder);
    const struct {
        const PageSource& pages;
        QString path;
        QString reason;
    } cases[] = {
        {many, folderOf(dir) + "/no such folder/out.pdf", "No such file or directory"},
        {empty, out + "/empty.pdf", "there are no pages."},
        {many, old, "File too large"},
        {many, folder, "it is a folder"},
    };
    for (const auto& c : cases) {
        {
            QFile keep(old);
            ASSERT_TRUE(keep.open(QIODevice::WriteOnly) && keep.write("old") == 3);
        }
        const bool existed = QFileInfo::exists(c.path);
        test::FileSizeLimit limit(4096);
        const PdfOutcome outcome = PdfExport::write(c.pages, c.path);
        EXPECT_FALSE(outcome.written);
        EXPECT_EQ(outcome.message.toStdString(),
                  ("Cannot write the PDF file " + c.path + ": " + c.reason).toStdString());
        EXPECT_EQ(QFileInfo::exists(c.path), existed);
        QFile kept(old);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), "old");
    }
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList{"old.pdf"});
}

}  // namespace
}  // namespace cdz
