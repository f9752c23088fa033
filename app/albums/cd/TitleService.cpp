#include "app/albums/cd/TitleService.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

#include <memory>
#include <optional>
#include <thread>

#include "app/albums/cd/TitleAnswer.h"
#include "app/albums/cd/TitleDiscId.h"
#include "app/domain/settings/Settings.h"

namespace cdz {

namespace {

constexpr int kHttpNotFound = 404;
constexpr int kHttpBadRequest = 400;
constexpr const char* kStampName = "last-request";
constexpr const char* kProgram = "Orvanta98";
constexpr const char* kVersion = CDZ_PROGRAM_VERSION;

using Clock = std::chrono::system_clock;

QString path(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

std::optional<QByteArray> readFile(const std::filesystem::path& file) {
    QFile in(path(file));
    if (!in.open(QIODevice::ReadOnly)) return std::nullopt;
    return in.readAll();
}

bool writeFile(const std::filesystem::path& file, const QByteArray& bytes) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    QSaveFile out(path(file));
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

int64_t millisNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
        .count();
}

// Runs the event loop for `wait`, so that windows stay live while a lookup waits its turn.
void pause(std::chrono::milliseconds wait) {
    if (wait.count() <= 0) return;
    if (QCoreApplication::instance() == nullptr) {
        std::this_thread::sleep_for(wait);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(wait, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

TitleService::TitleService(Options options) : options_(std::move(options)) {
    while (!options_.server.empty() && options_.server.back() == '/') options_.server.pop_back();
}

TitleService::Options TitleService::optionsFrom(const Settings& settings) {
    Options options;
    if (!settings.musicBrainzServer.empty()) options.server = settings.musicBrainzServer;
    if (settings.musicBrainzTimeout > 0)
        options.timeout = std::chrono::seconds(settings.musicBrainzTimeout);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty())
        options.cacheFolder = std::filesystem::path(cache.toStdString()) / "cdzapp";
    return options;
}

std::string TitleService::userAgent() {
    return std::string(kProgram) + "/" + kVersion + " ( cdzapp )";
}

std::filesystem::path TitleService::cacheFile(const std::string& discId) const {
    if (options_.cacheFolder.empty()) return {};
    // One folder per server, so that answers of a test server never stand for the real one's.
    const QByteArray server = QCryptographicHash::hash(QByteArray::fromStdString(options_.server),
                                                       QCryptographicHash::Sha1)
                                  .toHex()
                                  .left(16);
    return options_.cacheFolder / "titles" / server.toStdString() / (discId + ".json");
}

// At most one request a second: the stamp in the cache folder holds back every copy of the
// program on this station, the member this one when there is no folder.
void TitleService::waitForTurn() {
    using std::chrono::milliseconds;
    const auto sinceLast =
        std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - lastRequest_);
    milliseconds wait = lastRequest_.time_since_epoch().count() == 0 ? milliseconds(0)
                                                                     : kRequestSpacing - sinceLast;
    const std::filesystem::path stamp =
        options_.cacheFolder.empty() ? std::filesystem::path() : options_.cacheFolder / kStampName;
    if (!stamp.empty()) {
        if (const auto read = readFile(stamp)) {
            bool ok = false;
            const qint64 last = read->trimmed().toLongLong(&ok);
            const milliseconds since(millisNow() - last);
            // A stamp in the future (a clock set back) holds back no longer than one spacing.
            if (ok && since < kRequestSpacing)
                wait = std::max(wait, std::min(kRequestSpacing - since, kRequestSpacing));
        }
    }
    pause(wait);
    markTurn();
}

void TitleService::markTurn() {
    lastRequest_ = std::chrono::steady_clock::now();
    if (options_.cacheFolder.empty()) return;
    writeFile(options_.cacheFolder / kStampName,
              QByteArray::number(static_cast<qint64>(millisNow())));
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
    waitForTurn();

    QNetworkAccessManager network;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromStdString(userAgent()));
    request.setRawHeader("Accept", "application/json");
    QEventLoop loop;
    bool timedOut = false;
    const std::unique_ptr<QNetworkReply> reply(network.get(request));
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    bool tooLarge = false;
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop,
                     [&](qint64 received, qint64 total) {
                         if (received <= kMaxAnswerBytes && total <= kMaxAnswerBytes) return;
                         tooLarge = true;
                         reply->abort();
                     });
    limit.start(options_.timeout);
    if (!reply->isFinished()) loop.exec();
    limit.stop();
    // The next request waits a second from the end of this one: the service then sees them a
    // second apart however long this one took to reach it.
    markTurn();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (timedOut) {
        result.outcome = Outcome::TimedOut;
        return result;
    }
    if (tooLarge) {
        result.outcome = Outcome::Malformed;
        return result;
    }
    if (status == kHttpNotFound) {
        result.outcome = Outcome::NoMatch;
        return result;
    }
    if (status >= kHttpBadRequest) {
        result.outcome = Outcome::Refused;
        result.detail =
            std::to_string(status) + " " +
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().toStdString();
        return result;
    }
    if (reply->error() != QNetworkReply::NoError || status == 0) {
        result.outcome = Outcome::Unreachable;
        result.detail = reply->errorString().toStdString();
        return result;
    }
    const QByteArray body = reply->readAll();
    auto releases = TitleAnswer::read(body.toStdString(), discId, trackCount);
    if (!releases) {
        result.outcome = Outcome::Malformed;
        return result;
    }
    result.releases = std::move(*releases);
    result.outcome = result.releases.empty() ? Outcome::NoMatch : Outcome::Found;
    if (result.outcome == Outcome::Found) {
        if (const std::filesystem::path cached = cacheFile(discId); !cached.empty())
            writeFile(cached, body);
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
    }
    return {};
}

}  // namespace cdz
