#pragma once
// What the pages of one PDF file share: the fonts (each embedded once, for the whole document)
// and the images (each file's picture written once however many pages show it), named in one
// resource dictionary that every page refers to.
#include <QByteArray>
#include <QFont>
#include <QHash>
#include <memory>
#include <vector>

#include "runtime/report/PageCanvas.h"
#include "runtime/report/PdfFile.h"
#include "runtime/report/PdfFont.h"

namespace cdz {

// A report font at its size: the file its glyphs come from and how its lines are measured.
struct PdfFace {
    FontSpec spec;
    QFont font;
    PdfFont* file = nullptr;
    qreal size = 0;  // in mils
    FontLines lines;
    qreal underline = 0, strikeOut = 0, rule = 0;  // below, above the baseline; thickness
};

class PdfResources {
public:
    explicit PdfResources(PdfFile& file) : file_(file) {}

    PdfFace& face(const FontSpec& spec);
    PdfFont& font(const QRawFont& raw);
    // The resource name of the picture in `path`, empty when it cannot be read.
    QByteArray image(const QString& path);
    // Writes the fonts used and the dictionary naming everything, as object `number`.
    void finish(int number);

private:
    int writeImage(const QImage& image);

    PdfFile& file_;
    std::vector<std::unique_ptr<PdfFace>> faces_;
    PdfFace* lastFace_ = nullptr;
    QHash<QString, PdfFont*> fontsByName_;
    std::vector<std::unique_ptr<PdfFont>> fonts_;
    QHash<QString, QByteArray> images_;
    QByteArray imageEntries_;
};

}  // namespace cdz
