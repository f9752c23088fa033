#include "bench/audiofiles/CoverJpeg.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPainter>

#include <stdexcept>

#include "bench/generator/Rng.h"

namespace cdz::gen {

namespace {

constexpr int kCoverSide = 96;

QColor drawnColor(Rng& rng) {
    const auto hue = static_cast<int>(rng.below(360));
    const auto saturation = static_cast<int>(rng.range(80, 255));
    const auto value = static_cast<int>(rng.range(80, 255));
    return QColor::fromHsv(hue, saturation, value);
}

}  // namespace

std::string coverJpeg(uint64_t seed) {
    Rng rng(seed);
    const QColor ground = drawnColor(rng);
    const QColor band = drawnColor(rng);
    const auto bandTop = static_cast<int>(rng.range(10, kCoverSide - 30));
    QImage image(kCoverSide, kCoverSide, QImage::Format_RGB32);
    image.fill(ground);
    {
        QPainter painter(&image);
        painter.fillRect(0, bandTop, kCoverSide, 20, band);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPEG", 80))
        throw std::runtime_error("no JPEG writer in Qt's plugins");
    return buffer.data().toStdString();
}

}  // namespace cdz::gen
