#pragma once
// Pages ready to be drawn, whatever made them (a report's spooled page list, a label): what the
// preview window and printing need of them. Drawing one page never needs the others.
#include <QRectF>
#include <QSizeF>

class QPainter;

namespace cdz {

class PageCanvas;

class PageSource {
public:
    virtual ~PageSource() = default;
    virtual int pageCount() const = 0;
    // The page's paper size in points (1/72 inch); pages of one report may differ.
    virtual QSizeF pageSize(int page) const = 0;
    // Draws page `page` (0-based) so that the whole paper fills `target`, in the canvas's
    // coordinates, on any canvas (a painter on a screen, printer or image, a PDF file).
    virtual void draw(PageCanvas& canvas, int page, const QRectF& target) const = 0;
    // The same on a painter's device, at any resolution.
    void render(QPainter& painter, int page, const QRectF& target) const;
};

}  // namespace cdz
