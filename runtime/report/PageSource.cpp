#include "runtime/report/PageSource.h"

#include "runtime/report/PainterCanvas.h"

namespace cdz {

void PageSource::render(QPainter& painter, int page, const QRectF& target) const {
    PainterCanvas::paint(painter, [&](PageCanvas& canvas) { draw(canvas, page, target); });
}

}  // namespace cdz
