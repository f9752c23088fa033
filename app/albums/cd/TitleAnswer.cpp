#include "app/albums/cd/TitleAnswer.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "app/albums/cd/ReleaseAnswer.h"
#include "runtime/text/Printable.h"

namespace cdz {

namespace {

// The catalogue's titles and artists hold 40 characters; what the service sends beyond them,
// and any control character (an escape sequence, a line break), never reaches a field or the
// terminal.
constexpr int kFieldChars = 40;

std::string text(const QJsonValue& value) {
    return printable(value.toString().toStdString(), kFieldChars);
}

std::string creditOf(const QJsonObject& owner) {
    return printable(ReleaseAnswer::credit(owner), kFieldChars);
}

bool carriesDisc(const QJsonObject& medium, const std::string& discId) {
    for (const auto& disc : medium.value("discs").toArray()) {
        if (disc.toObject().value("id").toString().toStdString() == discId) return true;
    }
    return false;
}

// The medium of `release` that is the disc; nullopt when none is.
std::optional<QJsonObject> discMedium(const QJsonObject& release, const std::string& discId,
                                      int trackCount) {
    const QJsonArray media = release.value("media").toArray();
    for (const auto& m : media) {
        if (carriesDisc(m.toObject(), discId)) return m.toObject();
    }
    for (const auto& m : media) {
        if (m.toObject().value("tracks").toArray().size() == trackCount) return m.toObject();
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<TitleRelease>> TitleAnswer::read(std::string_view json,
                                                           const std::string& discId,
                                                           int trackCount) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(
        QByteArray(json.data(), static_cast<qsizetype>(json.size())), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
    const QJsonValue releases = doc.object().value("releases");
    if (!releases.isArray()) return std::nullopt;
    std::vector<TitleRelease> out;
    for (const auto& r : releases.toArray()) {
        if (!r.isObject()) return std::nullopt;
        const QJsonObject release = r.toObject();
        const std::optional<QJsonObject> medium = discMedium(release, discId, trackCount);
        if (!medium) continue;
        TitleRelease read;
        read.id = text(release.value("id"));
        read.title = text(release.value("title"));
        read.artist = creditOf(release);
        read.date = text(release.value("date"));
        read.country = text(release.value("country"));
        for (const auto& t : medium->value("tracks").toArray()) {
            const QJsonObject track = t.toObject();
            if (!track.value("title").isString()) return std::nullopt;
            std::string artist = creditOf(track);
            read.tracks.push_back({text(track.value("title")),
                                   artist.empty() ? read.artist : std::move(artist),
                                   track.value("length").toInt()});
        }
        if (read.tracks.empty()) continue;
        out.push_back(std::move(read));
    }
    return out;
}

}  // namespace cdz
