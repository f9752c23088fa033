#pragma once
// The one drawing path of report pages: the preview, the printer, PDF files and test images all
// draw a page through renderPage, so a page looks the same everywhere but for resolution.
#include <QRectF>
#include <QStringList>

#include "runtime/report/PageItems.h"

class QPainter;
class QFont;

namespace cdz {

class PageCanvas;

// Draws `page` so that its whole paper fills `target` (painter coordinates). The painter is
// scaled to mils and fonts are given pixel sizes in mils, measured on the painter's device: one
// unit throughout, so text keeps its designed size at any resolution.
void renderPage(QPainter& painter, const Page& page, const QRectF& target);
// The same on any canvas (a PDF file is one): target is in the canvas's units.
void renderPage(PageCanvas& canvas, const Page& page, const QRectF& target);

// The font a run is drawn with, its pixel size in mils.
QFont fontInMils(const FontSpec& spec);

// The lines a wrapped run of `text` takes in `width` mils: broken between words, a word wider
// than the width broken between letters. Layouts use it to give a run the height it needs.
QStringList wrapLines(const QString& text, const FontSpec& font, qreal width);

}  // namespace cdz
