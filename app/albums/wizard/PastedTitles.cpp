#include "app/albums/wizard/PastedTitles.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace cdz {

namespace {

// A track number, perhaps after a vinyl side's letter ("B2"), then the text after it.
// Punctuation after the number marks it as one; a bare blank does so only when every line of
// the paste starts that way, so that "7 Seconds" in a list without numbers keeps its 7.
const QRegularExpression& numberedLine() {
    static const QRegularExpression re(
        QStringLiteral(R"(^[A-Za-z]?\d{1,3}(\s*[.):\-]+\s*|\s+)(.*)$)"));
    return re;
}

bool punctuated(const QRegularExpressionMatch& m) {
    return !m.captured(1).trimmed().isEmpty();
}

// A length at the end of the line, after a blank or alone: "3:45", "(3:45)", "[3:45]", "- 3:45",
// "1:02:03".
const QRegularExpression& trailingLength() {
    static const QRegularExpression re(
        QStringLiteral(R"((?:^|\s+)(?:[-\x{2013}]\s*)?[(\[]?\d{1,3}:\d{2}(?::\d{2})?[)\]]?$)"));
    return re;
}

QString plural(int count, const char* one, const char* many) {
    return QString::number(count) + ' ' + (count == 1 ? one : many);
}

}  // namespace

PastedTitles::PastedTitles(std::string_view text) {
    QStringList lines;
    for (const QString& raw : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                                  .split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        const QString line = raw.simplified();
        if (!line.isEmpty()) lines << line;
    }
    const bool allNumbered = std::all_of(lines.begin(), lines.end(), [](const QString& line) {
        return numberedLine().match(line).hasMatch();
    });
    for (QString line : lines) {
        line.remove(trailingLength());
        const QRegularExpressionMatch number = numberedLine().match(line);
        if (number.hasMatch() && (allNumbered || punctuated(number))) line = number.captured(2);
        line = line.trimmed();
        // A line of nothing but a number or a length is not a title.
        if (line.isEmpty()) continue;
        titles_.push_back(line.toStdString());
    }
}

std::string PastedTitles::report(int trackCount) const {
    const int lines = static_cast<int>(titles_.size());
    const int used = std::min(lines, trackCount);
    QString text = "Titles were pasted from " + plural(used, "line", "lines") + ".";
    if (trackCount > used) {
        text += " " + plural(trackCount - used, "track was", "tracks were") + " left untitled.";
    } else if (lines > used) {
        text += " " + plural(lines - used, "line was", "lines were") + " left over.";
    }
    return text.toStdString();
}

}  // namespace cdz
