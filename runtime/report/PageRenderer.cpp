#include "runtime/report/PageRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <cmath>

namespace cdz {
namespace {

QRectF rect(const MilsRect& r) {
    return QRectF(r.x.value, r.y.value, r.width.value, r.height.value);
}

bool visible(Argb c) {
    return (c >> 24) != 0;
}
QColor colour(Argb c) {
    return QColor::fromRgba(c);
}

// One line of text in `box`, aligned along it. Text wider than its box ends with an ellipsis
// inside it, so that a reader sees a value was shortened rather than a word cut in the middle of
// a letter; what even the ellipsis does not fit is cut at the box.
void drawLine(QPainter& painter, const QFontMetricsF& metrics, const QRectF& box, QString text,
              TextAlign align) {
    qreal advance = metrics.horizontalAdvance(text);
    const bool clipped = advance > box.width();
    if (clipped) {
        const QString whole = text;
        text = metrics.elidedText(text, Qt::ElideRight, box.width());
        if (text.isEmpty()) text = whole;
        advance = metrics.horizontalAdvance(text);
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
    }
    qreal x = box.left();
    if (align == TextAlign::Center) x += (box.width() - advance) / 2;
    if (align == TextAlign::Right) x += box.width() - advance;
    painter.drawText(QPointF(x, box.top() + metrics.ascent()), text);
    if (clipped) painter.restore();
}

void draw(QPainter& painter, const TextRun& run) {
    const QFont font = fontInMils(run.font);
    const QFontMetricsF metrics(font, painter.device());
    QRectF box = rect(run.box);
    painter.save();
    // A turned run is set in its box's own frame: the line runs along the box's height.
    if (run.direction == TextDirection::Up) {
        painter.translate(box.left(), box.bottom());
        painter.rotate(-90);
        box = QRectF(0, 0, box.height(), box.width());
    } else if (run.direction == TextDirection::Down) {
        painter.translate(box.right(), box.top());
        painter.rotate(90);
        box = QRectF(0, 0, box.height(), box.width());
    }
    painter.setFont(font);
    painter.setPen(colour(run.colour));
    QStringList lines = run.wrap ? wrapLines(run.text, run.font, box.width()) : QStringList();
    if (lines.size() < 2) {
        drawLine(painter, metrics, box, run.text, run.align);
    } else {
        const qreal step = metrics.lineSpacing();
        const auto room = static_cast<qsizetype>(
            std::max(1.0, std::floor((box.height() + metrics.leading()) / step)));
        // What the box does not hold goes on its last line, where the ellipsis tells of it.
        if (lines.size() > room) lines[room - 1] = lines.mid(room - 1).join(' ');
        for (qsizetype n = 0; n < std::min(room, lines.size()); ++n) {
            const QRectF line(box.left(), box.top() + step * qreal(n), box.width(), step);
            drawLine(painter, metrics, line, lines[n], run.align);
        }
    }
    painter.restore();
}

void draw(QPainter& painter, const LineItem& line) {
    painter.setPen(QPen(colour(line.colour), line.penWidth.value, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(line.from.x.value, line.from.y.value),
                     QPointF(line.to.x.value, line.to.y.value));
}

void draw(QPainter& painter, const BoxItem& box) {
    const bool border = visible(box.border) && box.borderWidth.value > 0;
    painter.setPen(border ? QPen(colour(box.border), box.borderWidth.value) : QPen(Qt::NoPen));
    painter.setBrush(visible(box.fill) ? QBrush(colour(box.fill)) : QBrush(Qt::NoBrush));
    painter.drawRect(rect(box.box));
}

}  // namespace

QFont fontInMils(const FontSpec& spec) {
    QFont font(spec.family);
    font.setPixelSize(std::max(1, int(std::lround(spec.pointSize * Mils::perInch / 72.0))));
    font.setWeight(QFont::Weight(std::clamp(spec.weight, 1, 1000)));
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeOut);
    // Hinting would fit glyphs to a device grid and move text between devices.
    font.setHintingPreference(QFont::PreferNoHinting);
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

void renderPage(QPainter& painter, const Page& page, const QRectF& target) {
    if (page.width.value <= 0 || page.height.value <= 0) return;
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.translate(target.topLeft());
    painter.scale(target.width() / page.width.value, target.height() / page.height.value);
    // Images are read when drawn; a page naming one logo many times reads it once.
    QHash<QString, QImage> images;
    for (const PageItem& item : page.items) {
        if (const auto* image = std::get_if<ImageItem>(&item)) {
            auto found = images.find(image->path);
            if (found == images.end()) found = images.insert(image->path, QImage(image->path));
            if (!found->isNull()) painter.drawImage(rect(image->box), *found);
        } else {
            std::visit(
                [&painter](const auto& i) {
                    if constexpr (!std::is_same_v<std::decay_t<decltype(i)>, ImageItem>)
                        draw(painter, i);
                },
                item);
        }
    }
    painter.restore();
}

}  // namespace cdz
