#include "app/shell/frame/HelpLibrary.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>

namespace cdz {

namespace {

QString readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QString titleOf(const QString& html, const QString& fallback) {
    static const QRegularExpression title(
        QStringLiteral("<title>(.*?)</title>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto m = title.match(html);
    return m.hasMatch() ? m.captured(1).simplified() : fallback;
}

QStringList linksOf(const QString& html) {
    static const QRegularExpression href(QStringLiteral("href=\"([^\"#:]+\\.html)"),
                                         QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (auto it = href.globalMatch(html); it.hasNext();) {
        const QString file = it.next().captured(1);
        if (!out.contains(file)) out << file;
    }
    return out;
}

}  // namespace

HelpLibrary::HelpLibrary(const QString& folder) : folder_(folder) {
    const QDir dir(folder);
    std::vector<HelpPage> found;
    QString contentsHtml;
    for (const QString& file : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        const QString html = readFile(dir.filePath(file));
        QTextDocument doc;
        doc.setHtml(html);
        found.push_back({file, titleOf(html, file), doc.toPlainText()});
        if (file == kContents) contentsHtml = html;
    }
    QStringList order{QString(kContents)};
    order << linksOf(contentsHtml);
    for (const QString& file : order) {
        auto it = std::find_if(found.begin(), found.end(),
                               [&](const HelpPage& p) { return p.file == file; });
        if (it == found.end()) continue;
        pages_.push_back(std::move(*it));
        found.erase(it);
    }
    for (auto& p : found) pages_.push_back(std::move(p));
}

const HelpPage* HelpLibrary::page(const QString& file) const {
    for (const auto& p : pages_)
        if (p.file == file) return &p;
    return nullptr;
}

std::vector<const HelpPage*> HelpLibrary::search(const QString& query) const {
    const QStringList words =
        query.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    std::vector<std::pair<qsizetype, const HelpPage*>> hits;
    if (words.isEmpty()) return {};
    for (const auto& p : pages_) {
        const QString haystack = p.title + '\n' + p.text;
        qsizetype total = 0;
        bool all = true;
        for (const QString& w : words) {
            const qsizetype n = haystack.count(w, Qt::CaseInsensitive);
            if (n == 0) {
                all = false;
                break;
            }
            total += n;
        }
        if (all) hits.emplace_back(total, &p);
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<const HelpPage*> out;
    out.reserve(hits.size());
    for (const auto& h : hits) out.push_back(h.second);
    return out;
}

}  // namespace cdz
