#include "runtime/text/Printable.h"

#include <QString>

#include "runtime/text/Text.h"

namespace cdz {

std::string printable(std::string_view utf8, int mostChars) {
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control) c = QLatin1Char(' ');
    }
    // Trimmed again after the cut, which may end on a blank of any kind.
    const std::string plain = text.trimmed().toStdString();
    const std::string_view cut = cutChars(plain, mostChars);
    return QString::fromUtf8(cut.data(), static_cast<qsizetype>(cut.size()))
        .trimmed()
        .toStdString();
}

}  // namespace cdz
