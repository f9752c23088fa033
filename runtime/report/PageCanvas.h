#pragma once
// What the one drawing path of report pages draws on: a painter (screen, printer, image) or a PDF
// file written directly. renderPage decides where every line of text goes, how it is shortened
// and turned; a canvas only measures text in its own fonts and puts marks where it is told.
#include <QPointF>
#include <QRectF>
#include <QString>

#include "runtime/report/PageItems.h"

namespace cdz {

// A font's vertical measures, in the units the canvas draws in.
struct FontLines {
    qreal ascent = 0;
    qreal leading = 0;
    qreal lineSpacing = 0;
};

class PageCanvas {
public:
    virtual ~PageCanvas() = default;

    virtual void save() = 0;
    virtual void restore() = 0;
    virtual void translate(qreal dx, qreal dy) = 0;
    virtual void scale(qreal sx, qreal sy) = 0;
    virtual void rotate(qreal degrees) = 0;
    // Narrows what later marks may cover, until the matching restore.
    virtual void clip(const QRectF& box) = 0;

    // Fonts are sized in mils (FontSpec's points at 1000 to the inch), as pages are laid out.
    virtual FontLines lines(const FontSpec& font) = 0;
    virtual qreal advance(const FontSpec& font, const QString& text) = 0;
    // One line of text, its baseline starting at `origin`; underline and strike-out included.
    virtual void text(const FontSpec& font, Argb colour, QPointF origin, const QString& text) = 0;

    virtual void line(QPointF from, QPointF to, qreal width, Argb colour) = 0;
    // A rectangle with an optional border (centred on its edge) and fill; alpha 0 means none.
    virtual void box(const QRectF& box, qreal borderWidth, Argb border, Argb fill) = 0;
    virtual void image(const QRectF& box, const QString& path) = 0;
};

}  // namespace cdz
