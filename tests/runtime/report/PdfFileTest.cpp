// PDF files written directly: text measured as the preview measures it, text of every script
// found again in the file in the order it was set, and what pages share written once.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

#include "runtime/report/PageList.h"
#include "runtime/report/PainterCanvas.h"
#include "runtime/report/PdfCanvas.h"
#include "runtime/report/PdfExport.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

QString folderOf(const test::TempDir& dir) {
    return QString::fromStdString(dir.path().string());
}

const FontSpec kSans{"DejaVu Sans", 8};
const FontSpec kBold{"DejaVu Sans", 11, 700};
const FontSpec kSerifItalic{"DejaVu Serif", 9, 400, true};

// A value shortened in the preview is shortened at the same letter in the PDF file.
TEST(PdfCanvas, MeasuresTextAsThePreviewDoes) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);  // 300 dpi
    image.setDotsPerMeterY(11811);
    QPainter painter(&image);
    PainterCanvas preview(painter);
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    PdfFile file(sink);
    PdfResources resources(file);
    PdfCanvas pdf(resources);
    for (const FontSpec& font : {kSans, kBold, kSerifItalic}) {
        for (const QString text : {"AVATAR Tower", "Édith Piaf", "Ação Übermorgen — 3:45",
                                   "Ελληνικά Кириллица", "Cafe\u0301", "Wolfgang Amadeus Mozart"}) {
            EXPECT_NEAR(pdf.advance(font, text), preview.advance(font, text), 0.5)
                << text.toStdString() << " in " << font.family.toStdString();
        }
        const FontLines a = pdf.lines(font);
        const FontLines b = preview.lines(font);
        EXPECT_NEAR(a.ascent, b.ascent, 0.01);
        EXPECT_NEAR(a.lineSpacing, b.lineSpacing, 0.01);
    }
}

QString textOf(const QString& pdf) {
    QProcess ghostscript;
    ghostscript.start(
        QStandardPaths::findExecutable("gs"),
        {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=txtwrite", "-sOutputFile=-", pdf});
    if (!ghostscript.waitForFinished(60000) || ghostscript.exitCode() != 0) return "(gs failed)";
    return QString::fromUtf8(ghostscript.readAllStandardOutput())
        .normalized(QString::NormalizationForm_C);
}

TEST(PdfExport, TextOfEveryScriptIsFoundInTheOrderItWasSet) {
    if (QStandardPaths::findExecutable("gs").isEmpty())
        GTEST_SKIP() << "Ghostscript is needed to read the PDF back";
    const QStringList words = {
        "Édith Piaf", "Ação Übermorgen", "Ελληνικά", "Кириллица", "Cafe\u0301 (live)",
        "back\\slash)", "Underlined title", "3:45",
        // Where no font holds these, each is the same empty box, and still found as itself.
        "노래 바다"};
    Page page{4000_mils, 3000_mils, {}};
    for (int n = 0; n < words.size(); ++n) {
        TextRun run{{200_mils, Mils{200 + 300 * n}, 3600_mils, 250_mils}, words[n], kSans};
        run.font.underline = words[n].startsWith("Underlined");
        page.items.emplace_back(run);
    }
    page.items.emplace_back(TextRun{{3700_mils, 200_mils, 250_mils, 2500_mils},
                                    "Spine text",
                                    kBold,
                                    kBlack,
                                    TextAlign::Left,
                                    TextDirection::Up});
    test::TempDir dir;
    PageList pages(folderOf(dir));
    ASSERT_TRUE(pages.append(page));
    const QString path = folderOf(dir) + "/scripts.pdf";
    ASSERT_TRUE(PdfExport::write(pages, path).written);
    const QString text = textOf(path);
    qsizetype at = 0;
    for (const QString& word : words) {
        const qsizetype found = text.indexOf(word.normalized(QString::NormalizationForm_C), at);
        EXPECT_GE(found, at) << word.toStdString() << " in\n" << text.toStdString();
        if (found >= 0) at = found;
    }
}

// However many pages there are, each font is embedded once and the pages share one dictionary
// of what they use; a page of its own size says so.
TEST(PdfExport, WhatPagesShareIsWrittenOnce) {
    Page page{8500_mils, 11000_mils, {}};
    for (int n = 0; n < 60; ++n) {
        const FontSpec& font = n % 3 == 0 ? kSans : n % 3 == 1 ? kBold : kSerifItalic;
        page.items.emplace_back(TextRun{
            {500_mils, Mils{500 + 160 * n}, 3000_mils, 150_mils}, QString("Row %1").arg(n), font});
    }
    test::TempDir dir;
    PageList pages(folderOf(dir));
    for (int n = 0; n < 200; ++n) ASSERT_TRUE(pages.append(page));
    ASSERT_TRUE(pages.append(Page{3000_mils, 2000_mils, {}}));
    const QString path = folderOf(dir) + "/many.pdf";
    ASSERT_TRUE(PdfExport::write(pages, path).written);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString bytes = QString::fromLatin1(file.readAll());
    EXPECT_EQ(bytes.count("/FontFile2"), 3);
    EXPECT_EQ(bytes.count("/Type /Page "), 201);
    EXPECT_EQ(bytes.count("/Resources "), 1);
    EXPECT_EQ(bytes.count("/MediaBox [0 0 612 792]"), 1);
    EXPECT_EQ(bytes.count("/MediaBox [0 0 216 144]"), 1);
}

}  // namespace
}  // namespace cdz
