#pragma once
// Pages ready to be drawn, whatever made them (a report's spooled page list, a label): what the
// preview window and printing need of them. Drawing one page never needs the others.
#include <QRectF>
#include <QSizeF>

class QPainter;

namespace cdz {

class PageSource {
public:
    virtual ~PageSource() = default;
    virtual int pageCount() const = 0;
    // The page's paper size in points (1/72 inch); pages of one report may differ.
    virtual QSizeF pageSize(int page) const = 0;
    // Draws page `page` (0-based) so that the whole paper fills `target`, in the painter's
    // coordinates, on any device (screen, printer, PDF, image), at any resolution.
    virtual void render(QPainter& painter, int page, const QRectF& target) const = 0;
};

}  // namespace cdz
