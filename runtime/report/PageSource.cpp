#include "runtime/report/PageSource.h"

#include <QPainter>

#include "runtime/report/PainterCanvas.h"

namespace cdz {

void PageSource::render(QPainter& painter, int page, const QRectF& target) const {
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    PainterCanvas canvas(painter);
    draw(canvas, page, target);
    painter.restore();
}

}  // namespace cdz
