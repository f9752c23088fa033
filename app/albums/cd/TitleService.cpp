#include "app/albums/cd/TitleService.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

#include <optional>

#include "app/albums/cd/TitleAnswer.h"
#include "app/albums/cd/TitleDiscId.h"
#include "app/domain/settings/Settings.h"

namespace cdz {

namespace {

QString path(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

std::optional<QByteArray> readFile(const std::filesystem::path& file) {
    QFile in(path(file));
    if (!in.open(QIODevice::ReadOnly)) return std::nullopt;
    return in.readAll();
}

}  // namespace

TitleService::TitleService(Options options)
    : options_(std::move(options)), fetch_(rulesOf(options_)) {
    while (!options_.server.empty() && options_.server.back() == '/') options_.server.pop_back();
}

TitleFetch::Rules TitleService::rulesOf(const Options& options) {
    return {.timeout = options.timeout,
            .stampFolder = options.cacheFolder,
            .maxBytes = kMaxAnswerBytes};
}

TitleService::Options TitleService::optionsFrom(const Settings& settings) {
    Options options;
    if (!settings.musicBrainzServer.empty()) options.server = settings.musicBrainzServer;
    if (!settings.coverArtServer.empty()) options.coverServer = settings.coverArtServer;
    if (settings.musicBrainzTimeout > 0)
        options.timeout = std::chrono::seconds(settings.musicBrainzTimeout);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty())
        options.cacheFolder = std::filesystem::path(cache.toStdString()) / "cdzapp";
    return options;
}

std::filesystem::path TitleService::answersFolder(const Options& options) {
    if (options.cacheFolder.empty()) return {};
    const QByteArray server = QCryptographicHash::hash(QByteArray::fromStdString(options.server),
                                                       QCryptographicHash::Sha1)
                                  .toHex()
                                  .left(16);
    return options.cacheFolder / "titles" / server.toStdString();
}

std::filesystem::path TitleService::cacheFile(const std::string& discId) const {
    const std::filesystem::path folder = answersFolder(options_);
    return folder.empty() ? folder : folder / (discId + ".json");
}

TitleService::Result TitleService::find(const CdContents& contents) {
    Result result;
    result.discId = TitleDiscId::of(contents);
    if (result.discId.empty()) {
        result.outcome = Outcome::NoDiscId;
        return result;
    }
    const int trackCount =
        static_cast<int>(contents.trackFrames.size()) - contents.trailingDataTracks;
    const std::filesystem::path cached = cacheFile(result.discId);
    std::error_code noTime;
    const auto written = cached.empty() ? std::filesystem::file_time_type()
                                        : std::filesystem::last_write_time(cached, noTime);
    const bool fresh = !cached.empty() && !noTime &&
                       std::filesystem::file_time_type::clock::now() - written < kCacheAge;
    if (fresh) {
        if (const auto bytes = readFile(cached)) {
            auto releases = TitleAnswer::read(bytes->toStdString(), result.discId, trackCount);
            if (releases && !releases->empty()) {
                result.outcome = Outcome::Found;
                result.releases = std::move(*releases);
                result.fromCache = true;
                return result;
            }
        }
    }
    Result asked = ask(result.discId, TitleDiscId::tocText(contents), trackCount);
    return asked;
}

TitleService::Result TitleService::ask(const std::string& discId, const std::string& toc,
                                       int trackCount) {
    Result result;
    result.discId = discId;
    QUrl url(QString::fromStdString(options_.server + "/ws/2/discid/" + discId));
    QUrlQuery query;
    query.addQueryItem("toc", QString::fromStdString(toc));
    query.addQueryItem("cdstubs", "no");
    query.addQueryItem("inc", "artist-credits+recordings");
    query.addQueryItem("fmt", "json");
    url.setQuery(query);
    if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty()) {
        result.outcome = Outcome::Unreachable;
        result.detail = "\"" + options_.server + "\" is not a web address";
        return result;
    }
    TitleFetch::Reply reply = fetch_.get(url, "application/json");
    if (reply.outcome != Outcome::Found) {
        result.outcome = reply.outcome;
        result.detail = std::move(reply.detail);
        return result;
    }
    const QByteArray& body = reply.body;
    auto releases = TitleAnswer::read(body.toStdString(), discId, trackCount);
    if (!releases) {
        result.outcome = Outcome::Malformed;
        return result;
    }
    result.releases = std::move(*releases);
    result.outcome = result.releases.empty() ? Outcome::NoMatch : Outcome::Found;
    if (result.outcome == Outcome::Found) {
        if (const std::filesystem::path cached = cacheFile(discId); !cached.empty())
            TitleFetch::keep(cached, body);
    }
    return result;
}

std::string TitleService::explain(const Result& result) const {
    const std::string at = "The title service at " + options_.server;
    switch (result.outcome) {
        case Outcome::Found:
            return {};
        case Outcome::NoMatch:
            return "The title service knows no release of this disc (disc ID " + result.discId +
                   ").";
        case Outcome::NoDiscId:
            return "This disc has no audio track to look up.";
        case Outcome::Unreachable:
            return at + " could not be reached (" + result.detail +
                   "). Check the network connection and the MusicBrainzServer setting.";
        case Outcome::TimedOut:
            return at + " did not answer within " +
                   std::to_string((options_.timeout.count() + 999) / 1000) +
                   " seconds. Try again later.";
        case Outcome::Refused:
            return at + " answered with error " + result.detail + ". Try again later.";
        case Outcome::Malformed:
            return at + " gave an answer that could not be read.";
        case Outcome::Cancelled:
            return "The lookup was cancelled.";
    }
    return {};
}

}  // namespace cdz
