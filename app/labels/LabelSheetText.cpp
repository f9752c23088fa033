#include "app/labels/LabelSheetText.h"

#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

#include "runtime/report/PageRenderer.h"

namespace cdz {
namespace {

// Devices measure a font a hair differently; a line a little narrower than its box never
// reaches the box's edge on any of them.
constexpr double kWidthShare = 0.97;

// Breaks one paragraph into lines no wider than `width`. Blanks leading the paragraph are kept
// (listings indent their numbers with them); a line broken off starts at its first word.
void wrapParagraph(const QString& paragraph, const QFontMetricsF& metrics, double width,
                   QStringList& lines) {
    QString line;
    bool fresh = true;
    for (const QString& word : paragraph.split(QChar(' '))) {
        const QString candidate = fresh ? word : line + QChar(' ') + word;
        if (metrics.horizontalAdvance(candidate) <= width) {
            line = candidate;
            fresh = false;
            continue;
        }
        if (!fresh) lines << line;
        // A word longer than the line: as many characters as fit, then the rest.
        QString rest = word;
        while (metrics.horizontalAdvance(rest) > width && rest.size() > 1) {
            qsizetype fit = 1;
            while (fit < rest.size() && metrics.horizontalAdvance(rest.left(fit + 1)) <= width)
                ++fit;
            lines << rest.left(fit);
            rest = rest.mid(fit);
        }
        line = rest;
        fresh = false;
    }
    lines << line;
}

}  // namespace

Mils LabelSheetText::lineHeight(const FontSpec& font) {
    const QFontMetricsF metrics(fontInMils(font));
    return Mils{static_cast<std::int32_t>(std::ceil(metrics.lineSpacing()))};
}

QStringList LabelSheetText::wrap(const QString& text, const FontSpec& font, Mils width) {
    const QFontMetricsF metrics(fontInMils(font));
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    QStringList lines;
    for (const QString& paragraph : plain.split(QChar('\n')))
        wrapParagraph(paragraph, metrics, width.value * kWidthShare, lines);
    // Blank lines at the end hold nothing to print.
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
    return lines;
}

bool LabelSheetText::set(Page& page, const MilsRect& box, const QString& text, const FontSpec& font,
                         Argb colour, TextAlign align) {
    const QStringList lines = wrap(text, font, box.width);
    const Mils height = lineHeight(font);
    Mils y = box.y;
    for (const QString& line : lines) {
        if (y + height > box.y + box.height) return false;
        if (!line.isEmpty())
            page.items.emplace_back(
                TextRun{MilsRect{box.x, y, box.width, height}, line, font, colour, align});
        y = y + height;
    }
    return true;
}

}  // namespace cdz
