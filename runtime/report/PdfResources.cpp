#include "runtime/report/PdfResources.h"

#include <QFontMetricsF>
#include <QImage>
#include <QRawFont>

#include "runtime/report/PageRenderer.h"

namespace cdz {

PdfFace& PdfResources::face(const FontSpec& spec) {
    if (lastFace_ && lastFace_->spec == spec) return *lastFace_;
    for (const auto& known : faces_) {
        if (known->spec == spec) return *(lastFace_ = known.get());
    }
    auto made = std::make_unique<PdfFace>();
    made->spec = spec;
    made->font = fontInMils(spec);
    const QFontMetricsF metrics(made->font);
    made->lines = {metrics.ascent(), metrics.leading(), metrics.lineSpacing()};
    made->underline = metrics.underlinePos();
    made->strikeOut = metrics.strikeOutPos();
    made->rule = metrics.lineWidth();
    const QRawFont raw = QRawFont::fromFont(made->font);
    made->size = raw.pixelSize();
    made->file = &font(raw);
    faces_.push_back(std::move(made));
    return *(lastFace_ = faces_.back().get());
}

PdfFont& PdfResources::font(const QRawFont& raw) {
    const QString name = raw.familyName() + QLatin1Char('\n') + raw.styleName() +
                         QLatin1Char('\n') + QString::number(raw.weight()) +
                         QString::number(int(raw.style()));
    if (PdfFont* known = fontsByName_.value(name)) return *known;
    fonts_.push_back(
        std::make_unique<PdfFont>(raw, "F" + QByteArray::number(qulonglong(fonts_.size()) + 1)));
    fontsByName_.insert(name, fonts_.back().get());
    return *fonts_.back();
}

QByteArray PdfResources::image(const QString& path) {
    const auto known = images_.constFind(path);
    if (known != images_.constEnd()) return *known;
    const QImage picture(path);
    QByteArray name;
    if (!picture.isNull()) {
        name = "Im" + QByteArray::number(images_.size() + 1);
        imageEntries_ += '/' + name + ' ' + QByteArray::number(writeImage(picture)) + " 0 R ";
    }
    images_.insert(path, name);
    return name;
}

int PdfResources::writeImage(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const int width = rgb.width();
    const int height = rgb.height();
    QByteArray pixels;
    pixels.reserve(qsizetype(width) * height * 3);
    for (int y = 0; y < height; ++y)
        pixels.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), qsizetype(width) * 3);
    const QByteArray size = " /Width " + QByteArray::number(width) + " /Height " +
                            QByteArray::number(height) + " /BitsPerComponent 8";
    QByteArray mask;
    if (picture.hasAlphaChannel()) {
        const QImage alpha = picture.convertToFormat(QImage::Format_Alpha8);
        QByteArray levels;
        for (int y = 0; y < height; ++y)
            levels.append(reinterpret_cast<const char*>(alpha.constScanLine(y)), width);
        mask = " /SMask " +
               QByteArray::number(file_.stream(
                   "/Type /XObject /Subtype /Image /ColorSpace /DeviceGray" + size, levels)) +
               " 0 R";
    }
    return file_.stream("/Type /XObject /Subtype /Image /ColorSpace /DeviceRGB" + size + mask,
                        pixels);
}

void PdfResources::finish(int number) {
    QByteArray fonts;
    int encoding = 0;
    for (const auto& font : fonts_) {
        if (!font->used()) continue;
        if (encoding == 0)
            encoding = file_.stream(
                "/Type /CMap /CMapName /Cadenzio-Compact /CIDSystemInfo "
                "<< /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>",
                PdfFont::encodingMap());
        const QByteArray program = font->fontFile();
        const int fontFile =
            file_.stream("/Length1 " + QByteArray::number(program.size()), program);
        const int toUnicode = file_.stream(QByteArray(), font->toUnicodeMap());
        const int glyphMap = file_.stream(QByteArray(), font->glyphMap());
        const int descriptor = file_.reserve();
        file_.object(descriptor, font->descriptorDictionary(fontFile));
        const int descendant = file_.reserve();
        file_.object(descendant, font->descendantDictionary(descriptor, glyphMap));
        const int dictionary = file_.reserve();
        file_.object(dictionary, font->fontDictionary(encoding, descendant, toUnicode));
        fonts += '/' + font->resource() + ' ' + QByteArray::number(dictionary) + " 0 R ";
    }
    file_.object(number, "<< /ProcSet [/PDF /Text /ImageC] /Font << " + fonts + ">> /XObject << " +
                             imageEntries_ + ">> >>");
}

}  // namespace cdz
