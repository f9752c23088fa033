#include "runtime/report/PreviewPageItem.h"

#include <QPainter>

#include "runtime/report/PageSource.h"

namespace cdz {

PreviewPageItem::PreviewPageItem(const PageSource& source, int page, QSizeF size)
    : source_(source), page_(page), size_(size) {
    setCacheMode(QGraphicsItem::DeviceCoordinateCache);
}

QRectF PreviewPageItem::boundingRect() const {
    return QRectF(QPointF(0, 0), size_);
}

void PreviewPageItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const QRectF sheet = boundingRect();
    painter->fillRect(sheet, Qt::white);
    painter->save();
    source_.render(*painter, page_, sheet);
    painter->restore();
    painter->setPen(Qt::darkGray);
    painter->drawRect(sheet);
}

}  // namespace cdz
