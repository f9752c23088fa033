#include "app/albums/cd/ReleaseAnswer.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>

#include "runtime/text/Printable.h"

namespace cdz {

namespace {

// Titles and artists hold 40 characters; the other texts are shown, or kept in the notes.
constexpr int kFieldChars = 40;
constexpr int kDetailChars = 60;
constexpr int kIdChars = 36;
// No release has more media or tracks than this; an answer that claims so is not read further.
constexpr int kMostMedia = 100;
constexpr int kMostTracks = 1000;

// Each text of the answer cleaned and cut to its field, the cuts counted.
class Texts {
public:
    std::string operator()(const QJsonValue& value, int most = kFieldChars) {
        return cut(value.toString().toStdString(), most);
    }
    std::string cut(const std::string& raw, int most) {
        std::string out = printable(raw, most);
        if (out.size() < raw.size() && printable(raw, kMostChars).size() > out.size()) ++cuts;
        return out;
    }
    std::string creditOf(const QJsonObject& owner) {
        return cut(ReleaseAnswer::credit(owner), kFieldChars);
    }
    int cuts = 0;

private:
    static constexpr int kMostChars = 1 << 20;
};

std::optional<QJsonObject> objectOf(std::string_view json) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(
        QByteArray(json.data(), static_cast<qsizetype>(json.size())), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
    return doc.object();
}

// "2xCD", "12\" Vinyl + CD": each format with how many media carry it, in their order.
std::string formatOf(const QJsonArray& media, Texts& text) {
    std::vector<std::pair<std::string, int>> counted;
    for (const auto& m : media) {
        std::string format = text(m.toObject().value("format"), kDetailChars);
        if (format.empty()) format = "(unknown)";
        auto it = std::find_if(counted.begin(), counted.end(),
                               [&](const auto& c) { return c.first == format; });
        if (it == counted.end()) {
            counted.emplace_back(format, 1);
        } else {
            ++it->second;
        }
    }
    std::string out;
    for (const auto& [format, count] : counted) {
        if (!out.empty()) out += " + ";
        out += (count > 1 ? std::to_string(count) + "x" : std::string()) + format;
    }
    return text.cut(out, kDetailChars);
}

// The fields a search and a lookup give alike.
void readCommon(const QJsonObject& r, TitleRelease& out, Texts& text) {
    out.id = text(r.value("id"), kIdChars);
    out.title = text(r.value("title"));
    out.artist = text.creditOf(r);
    out.date = text(r.value("date"), 10);
    out.country = text(r.value("country"), 8);
    out.barcode = text(r.value("barcode"), 20);
    out.format = formatOf(r.value("media").toArray(), text);
    for (const auto& info : r.value("label-info").toArray()) {
        const QJsonObject i = info.toObject();
        if (out.label.empty()) out.label = text(i.value("label").toObject().value("name"));
        if (out.catalogueNumber.empty())
            out.catalogueNumber = text(i.value("catalog-number"), kFieldChars);
    }
    out.releaseGroupId = text(r.value("release-group").toObject().value("id"), kIdChars);
    out.frontCover = r.value("cover-art-archive").toObject().value("front").toBool();
    out.cutValues = text.cuts;
}

bool isRelease(const QJsonValue& value) {
    return value.isObject() && value.toObject().value("id").isString() &&
           value.toObject().value("title").isString();
}

}  // namespace

std::string ReleaseAnswer::credit(const QJsonObject& owner) {
    std::string out;
    for (const auto& credit : owner.value("artist-credit").toArray()) {
        const QJsonObject c = credit.toObject();
        out += c.value("name").toString().toStdString() +
               c.value("joinphrase").toString().toStdString();
    }
    return out;
}

std::optional<std::vector<TitleRelease>> ReleaseAnswer::candidates(std::string_view json,
                                                                   int most) {
    const std::optional<QJsonObject> doc = objectOf(json);
    if (!doc) return std::nullopt;
    const QJsonValue releases = doc->value("releases");
    if (!releases.isArray()) return std::nullopt;
    std::vector<TitleRelease> out;
    for (const auto& r : releases.toArray()) {
        if (!isRelease(r)) return std::nullopt;
        if (static_cast<int>(out.size()) >= most) break;
        TitleRelease read;
        Texts text;
        readCommon(r.toObject(), read, text);
        read.trackCount = std::clamp(r.toObject().value("track-count").toInt(), 0, kMostTracks);
        out.push_back(std::move(read));
    }
    return out;
}

std::optional<TitleRelease> ReleaseAnswer::release(std::string_view json) {
    const std::optional<QJsonObject> doc = objectOf(json);
    if (!doc || !isRelease(*doc)) return std::nullopt;
    TitleRelease read;
    Texts text;
    readCommon(*doc, read, text);
    const QJsonArray media = doc->value("media").toArray();
    if (media.size() > kMostMedia) return std::nullopt;
    for (qsizetype m = 0; m < media.size(); ++m) {
        const QJsonObject medium = media[m].toObject();
        const int disc =
            media.size() > 1 ? medium.value("position").toInt(static_cast<int>(m) + 1) : 0;
        for (const auto& t : medium.value("tracks").toArray()) {
            const QJsonObject track = t.toObject();
            if (!track.value("title").isString()) return std::nullopt;
            if (read.tracks.size() >= static_cast<size_t>(kMostTracks)) return std::nullopt;
            std::string artist = text.creditOf(track);
            read.tracks.push_back({text(track.value("title")),
                                   artist.empty() ? read.artist : std::move(artist),
                                   std::max(0, track.value("length").toInt()), disc});
        }
    }
    read.trackCount = static_cast<int>(read.tracks.size());
    read.cutValues = text.cuts;
    return read;
}

}  // namespace cdz
