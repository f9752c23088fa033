#include "app/engine/browse/CodePoints.h"

#include <QList>
#include <QString>

namespace cdz {

std::u32string toCodePoints(std::string_view utf8) {
    const QList<uint> ucs4 =
        QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

std::string toUtf8(std::u32string_view codePoints) {
    return QString::fromUcs4(codePoints.data(), static_cast<qsizetype>(codePoints.size()))
        .toStdString();
}

std::string toUtf8(char32_t codePoint) {
    return toUtf8(std::u32string_view(&codePoint, 1));
}

}  // namespace cdz
