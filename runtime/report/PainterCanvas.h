#pragma once
// The page canvas over a QPainter: the preview, the printer and test images. Text is measured
// with the painter's device, as Qt lays it out there.
#include <QHash>
#include <QImage>
#include <functional>

#include "runtime/report/PageCanvas.h"

class QPainter;

namespace cdz {

class PainterCanvas final : public PageCanvas {
public:
    explicit PainterCanvas(QPainter& painter) : painter_(painter) {}
    // Runs `draw` on a canvas over `painter`, smoothed as pages are drawn, the painter's state
    // put back after.
    static void paint(QPainter& painter, const std::function<void(PageCanvas&)>& draw);

    void save() override;
    void restore() override;
    void translate(qreal dx, qreal dy) override;
    void scale(qreal sx, qreal sy) override;
    void rotate(qreal degrees) override;
    void clip(const QRectF& box) override;
    FontLines lines(const FontSpec& font) override;
    qreal advance(const FontSpec& font, const QString& text) override;
    void text(const FontSpec& font, Argb colour, QPointF origin, const QString& text) override;
    void line(QPointF from, QPointF to, qreal width, Argb colour) override;
    void box(const QRectF& box, qreal borderWidth, Argb border, Argb fill) override;
    void image(const QRectF& box, const QString& path) override;

private:
    QPainter& painter_;
    // Images are read when drawn; a page naming one logo many times reads it once.
    QHash<QString, QImage> images_;
};

}  // namespace cdz
