#include "runtime/ui/FileFilterList.h"

#include <QRegularExpression>
#include <QString>

namespace cdz {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> split(std::string_view s, char sep) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = s.find(sep);
        parts.push_back(s.substr(0, at));
        if (at == std::string_view::npos) return parts;
        s.remove_prefix(at + 1);
    }
}

// A pattern as a case-blind glob: "*.*" is every name, letters become [xX] classes, and a "["
// that the user's pattern meant literally is escaped as a class of its own.
QString caseBlindGlob(const std::string& pattern) {
    if (pattern == "*.*") return QStringLiteral("*");
    QString out;
    for (const QChar c : QString::fromStdString(pattern)) {
        const QChar lower = c.toLower(), upper = c.toUpper();
        if (c == u'[' || c == u']') {
            out += u'[';
            out += c;
            out += u']';
        } else if (lower != upper) {
            out += u'[';
            out += lower;
            out += upper;
            out += u']';
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::vector<FileFilter> parseFileFilterList(std::string_view list) {
    std::vector<FileFilter> filters;
    if (trim(list).empty()) return filters;
    const std::vector<std::string_view> parts = split(list, '|');
    for (size_t i = 0; i < parts.size(); i += 2) {
        FileFilter filter;
        filter.name = trim(parts[i]);
        if (i + 1 < parts.size()) {
            for (std::string_view p : split(parts[i + 1], ';'))
                if (!trim(p).empty()) filter.patterns.emplace_back(trim(p));
        }
        if (!filter.patterns.empty()) filters.push_back(std::move(filter));
    }
    return filters;
}

std::vector<QString> toQtNameFilters(const std::vector<FileFilter>& filters) {
    std::vector<QString> out;
    for (const FileFilter& f : filters) {
        QStringList globs;
        for (const std::string& p : f.patterns) globs << caseBlindGlob(p);
        // Parentheses in the name would confuse the dialog's reading of the pattern part.
        QString name = QString::fromStdString(f.name);
        name.replace(u'(', u'[').replace(u')', u']');
        out.push_back(name + QStringLiteral(" (") + globs.join(u' ') + u')');
    }
    if (out.empty()) out.push_back(QStringLiteral("All Files (*)"));
    return out;
}

bool matchesFilter(const FileFilter& filter, std::string_view fileName) {
    const QString name =
        QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
    for (const std::string& p : filter.patterns) {
        const QRegularExpression re(
            QRegularExpression::wildcardToRegularExpression(caseBlindGlob(p)));
        if (re.match(name).hasMatch()) return true;
    }
    return false;
}

}  // namespace cdz
