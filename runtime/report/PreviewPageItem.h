#pragma once
// One page of the preview on the scene: a white sheet of a given size on which the page source
// draws the page, only when the view paints it (that is, when it is visible). The drawing is
// kept in device pixels so scrolling and repainting do not draw the page again.
#include <QGraphicsItem>

namespace cdz {

class PageSource;

class PreviewPageItem final : public QGraphicsItem {
public:
    // page is 0-based, as the page source counts.
    PreviewPageItem(const PageSource& source, int page, QSizeF size);

    int page() const { return page_; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    const PageSource& source_;
    int page_;
    QSizeF size_;
};

}  // namespace cdz
