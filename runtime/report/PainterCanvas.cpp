#include "runtime/report/PainterCanvas.h"

#include <QFontMetricsF>
#include <QPainter>

#include "runtime/report/PageRenderer.h"

namespace cdz {
namespace {

bool visible(Argb c) {
    return (c >> 24) != 0;
}

}  // namespace

void PainterCanvas::paint(QPainter& painter, const std::function<void(PageCanvas&)>& draw) {
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    PainterCanvas canvas(painter);
    draw(canvas);
    painter.restore();
}

void PainterCanvas::save() {
    painter_.save();
}

void PainterCanvas::restore() {
    painter_.restore();
}

void PainterCanvas::translate(qreal dx, qreal dy) {
    painter_.translate(dx, dy);
}

void PainterCanvas::scale(qreal sx, qreal sy) {
    painter_.scale(sx, sy);
}

void PainterCanvas::rotate(qreal degrees) {
    painter_.rotate(degrees);
}

void PainterCanvas::clip(const QRectF& box) {
    painter_.setClipRect(box, Qt::IntersectClip);
}

FontLines PainterCanvas::lines(const FontSpec& font) {
    const QFontMetricsF metrics(fontInMils(font), painter_.device());
    return {metrics.ascent(), metrics.leading(), metrics.lineSpacing()};
}

qreal PainterCanvas::advance(const FontSpec& font, const QString& text) {
    return QFontMetricsF(fontInMils(font), painter_.device()).horizontalAdvance(text);
}

void PainterCanvas::text(const FontSpec& font, Argb colour, QPointF origin, const QString& text) {
    painter_.setFont(fontInMils(font));
    painter_.setPen(QColor::fromRgba(colour));
    painter_.drawText(origin, text);
}

void PainterCanvas::line(QPointF from, QPointF to, qreal width, Argb colour) {
    painter_.setPen(QPen(QColor::fromRgba(colour), width, Qt::SolidLine, Qt::FlatCap));
    painter_.drawLine(from, to);
}

void PainterCanvas::box(const QRectF& box, qreal borderWidth, Argb border, Argb fill) {
    const bool edged = visible(border) && borderWidth > 0;
    painter_.setPen(edged ? QPen(QColor::fromRgba(border), borderWidth) : QPen(Qt::NoPen));
    painter_.setBrush(visible(fill) ? QBrush(QColor::fromRgba(fill)) : QBrush(Qt::NoBrush));
    painter_.drawRect(box);
}

void PainterCanvas::image(const QRectF& box, const QString& path) {
    auto found = images_.find(path);
    if (found == images_.end()) found = images_.insert(path, QImage(path));
    if (!found->isNull()) painter_.drawImage(box, *found);
}

}  // namespace cdz
