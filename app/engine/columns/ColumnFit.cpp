#include "app/engine/columns/ColumnFit.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>

#include "app/engine/columns/ListFormat.h"
#include "app/engine/resize/DialogUnits.h"
#include "runtime/text/Picture.h"

namespace cdz {
namespace {

// Room a list's cell and a header's section leave around their text, in pixels.
constexpr int kCellPadding = 10;
constexpr int kHeaderPadding = 14;

int neededPixels(const ListColumn& column, const QFontMetrics& metrics) {
    int needed = 0;
    if (const auto header = column.header()) {
        needed = metrics.horizontalAdvance(QString::fromStdString(*header)) + kHeaderPadding;
    }
    const auto picture = Picture::parse(column.picture());
    if (picture && picture->kind() != 'S') {
        // Digits are the widest characters a number, date or time shows.
        const QString widest(std::max(1, picture->width()), QChar('0'));
        needed = std::max(needed, metrics.horizontalAdvance(widest) + kCellPadding);
    }
    return needed;
}

}  // namespace

std::string fitColumnWidths(std::string_view format, const QFontMetrics& metrics) {
    auto parsed = ListFormat::parse(format);
    if (!parsed.format) return std::string(format);
    const int average = metrics.averageCharWidth();
    for (ListColumn& column : parsed.format->columns()) {
        if (column.width() == 0) continue;  // a hidden column stays hidden
        const int needed = pixelsToDialogUnitsX(neededPixels(column, metrics), average);
        if (needed > column.width()) column.setWidth(needed);
    }
    return parsed.format->text();
}

}  // namespace cdz
