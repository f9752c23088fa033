#include "runtime/report/PageRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "runtime/report/PainterCanvas.h"

namespace cdz {
namespace {

QRectF rect(const MilsRect& r) {
    return QRectF(r.x.value, r.y.value, r.width.value, r.height.value);
}

// The longest start of `text` that fits `width` with an ellipsis after it, so that a reader sees
// a value was shortened rather than a word cut in the middle of a letter; the whole text when not
// even the ellipsis fits (the box's clip then cuts it).
QString elided(PageCanvas& canvas, const FontSpec& font, const QString& text, qreal width) {
    static const QString ellipsis(QChar(0x2026));
    qsizetype fits = -1;
    qsizetype low = 0;
    qsizetype high = text.size() - 1;
    while (low <= high) {
        const qsizetype mid = (low + high) / 2;
        if (canvas.advance(font, text.left(mid) + ellipsis) <= width) {
            fits = mid;
            low = mid + 1;
        } else {
            high = mid - 1;
        }
    }
    if (fits < 0) return text;
    if (fits > 0 && text[fits - 1].isHighSurrogate()) --fits;
    return text.left(fits) + ellipsis;
}

// One line of text in `box`, aligned along it; text wider than its box is shortened inside it.
void drawLine(PageCanvas& canvas, const TextRun& run, const FontLines& lines, const QRectF& box,
              QString text) {
    qreal advance = canvas.advance(run.font, text);
    const bool clipped = advance > box.width();
    if (clipped) {
        text = elided(canvas, run.font, text, box.width());
        advance = canvas.advance(run.font, text);
        // A shortened line is still cut at its box: a letter's ink may reach past its advance.
        canvas.save();
        canvas.clip(box);
    }
    qreal x = box.left();
    if (run.align == TextAlign::Center) x += (box.width() - advance) / 2;
    if (run.align == TextAlign::Right) x += box.width() - advance;
    canvas.text(run.font, run.colour, QPointF(x, box.top() + lines.ascent), text);
    if (clipped) canvas.restore();
}

void draw(PageCanvas& canvas, const TextRun& run) {
    const FontLines lines = canvas.lines(run.font);
    QRectF box = rect(run.box);
    const bool turned = run.direction != TextDirection::Across;
    // A turned run is set in its box's own frame: the line runs along the box's height.
    if (turned) {
        canvas.save();
        const bool up = run.direction == TextDirection::Up;
        canvas.translate(up ? box.left() : box.right(), up ? box.bottom() : box.top());
        canvas.rotate(up ? -90 : 90);
        box = QRectF(0, 0, box.height(), box.width());
    }
    const QStringList wrapped =
        run.wrap ? wrapLines(run.text, run.font, box.width()) : QStringList();
    if (wrapped.size() < 2) {
        drawLine(canvas, run, lines, box, run.text);
    } else {
        QStringList shown = wrapped;
        const qreal step = lines.lineSpacing;
        const auto room = static_cast<qsizetype>(
            std::max(1.0, std::floor((box.height() + lines.leading) / step)));
        // What the box does not hold goes on its last line, where the ellipsis tells of it.
        if (shown.size() > room) shown[room - 1] = shown.mid(room - 1).join(' ');
        for (qsizetype n = 0; n < std::min(room, shown.size()); ++n) {
            const QRectF line(box.left(), box.top() + step * qreal(n), box.width(), step);
            drawLine(canvas, run, lines, line, shown[n]);
        }
    }
    if (turned) canvas.restore();
}

void draw(PageCanvas& canvas, const LineItem& line) {
    canvas.line(QPointF(line.from.x.value, line.from.y.value),
                QPointF(line.to.x.value, line.to.y.value), line.penWidth.value, line.colour);
}

void draw(PageCanvas& canvas, const BoxItem& box) {
    canvas.box(rect(box.box), box.borderWidth.value, box.border, box.fill);
}

void draw(PageCanvas& canvas, const ImageItem& image) {
    canvas.image(rect(image.box), image.path);
}

}  // namespace

QFont fontInMils(const FontSpec& spec) {
    QFont font(spec.family);
    font.setPixelSize(std::max(1, int(std::lround(spec.pointSize * Mils::perInch / 72.0))));
    font.setWeight(QFont::Weight(std::clamp(spec.weight, 1, 1000)));
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeOut);
    // Hinting would fit glyphs to a device grid and move text between devices. Kerning is left
    // out so that every device, the PDF file among them, sets a string to the same width from
    // the font's own advances, and a value is shortened at the same letter everywhere.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

QStringList wrapLines(const QString& text, const FontSpec& spec, qreal width) {
    const QFontMetricsF metrics(fontInMils(spec));
    QStringList lines;
    QString line;
    auto fits = [&](const QString& t) { return metrics.horizontalAdvance(t) <= width; };
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        const QString joined = line.isEmpty() ? word : line + ' ' + word;
        if (fits(joined)) {
            line = joined;
            continue;
        }
        if (!line.isEmpty()) lines.push_back(line);
        line = word;
        // A word wider than the line is broken between letters, keeping at least one each.
        while (!fits(line) && line.size() > 1) {
            qsizetype n = line.size() - 1;
            while (n > 1 && !fits(line.left(n))) --n;
            lines.push_back(line.left(n));
            line = line.mid(n);
        }
    }
    if (!line.isEmpty() || lines.isEmpty()) lines.push_back(line);
    return lines;
}

void renderPage(PageCanvas& canvas, const Page& page, const QRectF& target) {
    if (page.width.value <= 0 || page.height.value <= 0) return;
    canvas.save();
    canvas.translate(target.left(), target.top());
    canvas.scale(target.width() / page.width.value, target.height() / page.height.value);
    for (const PageItem& item : page.items)
        std::visit([&canvas](const auto& i) { draw(canvas, i); }, item);
    canvas.restore();
}

void renderPage(QPainter& painter, const Page& page, const QRectF& target) {
    PainterCanvas::paint(painter, [&](PageCanvas& canvas) { renderPage(canvas, page, target); });
}

}  // namespace cdz
