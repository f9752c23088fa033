#include "app/albums/cd/TitleFetch.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <memory>
#include <optional>
#include <thread>

namespace cdz {

namespace {

constexpr int kHttpNotFound = 404;
constexpr int kHttpBadRequest = 400;
constexpr const char* kStampName = "last-request";
constexpr const char* kProgram = "Orvanta98";
constexpr const char* kVersion = CDZ_PROGRAM_VERSION;
// A wait for the turn looks this often whether the user cancelled.
constexpr std::chrono::milliseconds kCancelPoll{50};

QString path(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

std::optional<QByteArray> readFile(const std::filesystem::path& file) {
    QFile in(path(file));
    if (!in.open(QIODevice::ReadOnly)) return std::nullopt;
    return in.read(64);
}

int64_t millisNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace

bool TitleFetch::keep(const std::filesystem::path& file, const QByteArray& bytes) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    QSaveFile out(path(file));
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

std::string TitleFetch::userAgent() {
    return std::string(kProgram) + "/" + kVersion + " ( cdzapp )";
}

void TitleFetch::cancel() {
    cancelled_ = true;
    if (running_ != nullptr) running_->abort();
}

// At most one request a second: the stamp in the folder holds back every copy of the program
// on this station, the member this one when there is no folder.
void TitleFetch::waitForTurn() {
    using std::chrono::milliseconds;
    const auto sinceLast =
        std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - lastRequest_);
    milliseconds wait = lastRequest_.time_since_epoch().count() == 0 ? milliseconds(0)
                                                                     : kRequestSpacing - sinceLast;
    if (!rules_.stampFolder.empty()) {
        if (const auto read = readFile(rules_.stampFolder / kStampName)) {
            bool ok = false;
            const qint64 last = read->trimmed().toLongLong(&ok);
            const milliseconds since(millisNow() - last);
            // A stamp in the future (a clock set back) holds back no longer than one spacing.
            if (ok && since < kRequestSpacing)
                wait = std::max(wait, std::min(kRequestSpacing - since, kRequestSpacing));
        }
    }
    // The event loop runs meanwhile, so that windows stay live and a Cancel is heard.
    const auto until = std::chrono::steady_clock::now() + wait;
    while (!cancelled_ && std::chrono::steady_clock::now() < until) {
        const auto left =
            std::chrono::duration_cast<milliseconds>(until - std::chrono::steady_clock::now());
        const milliseconds step = std::min(left, kCancelPoll);
        if (QCoreApplication::instance() == nullptr) {
            std::this_thread::sleep_for(step);
            continue;
        }
        QEventLoop loop;
        QTimer::singleShot(step, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

void TitleFetch::markTurn() {
    lastRequest_ = std::chrono::steady_clock::now();
    if (rules_.stampFolder.empty()) return;
    keep(rules_.stampFolder / kStampName, QByteArray::number(static_cast<qint64>(millisNow())));
}

TitleFetch::Reply TitleFetch::get(const QUrl& url, const char* accept) {
    Reply result;
    waitForTurn();
    if (cancelled_) {
        result.outcome = TitleOutcome::Cancelled;
        return result;
    }
    markTurn();

    QNetworkAccessManager network;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromStdString(userAgent()));
    request.setRawHeader("Accept", accept);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QEventLoop loop;
    bool timedOut = false;
    bool tooLarge = false;
    const std::unique_ptr<QNetworkReply> reply(network.get(request));
    running_ = reply.get();
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop,
                     [&](qint64 received, qint64 total) {
                         if (received <= rules_.maxBytes && total <= rules_.maxBytes) return;
                         tooLarge = true;
                         reply->abort();
                     });
    limit.start(rules_.timeout);
    if (!reply->isFinished()) loop.exec();
    limit.stop();
    running_ = nullptr;
    // The next request waits a second from the end of this one: the service then sees them a
    // second apart however long this one took to reach it.
    markTurn();

    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (cancelled_) {
        result.outcome = TitleOutcome::Cancelled;
    } else if (timedOut) {
        result.outcome = TitleOutcome::TimedOut;
    } else if (tooLarge) {
        result.outcome = TitleOutcome::Malformed;
        result.detail = "an answer over " + std::to_string(rules_.maxBytes >> 20) + " MB";
    } else if (result.status == kHttpNotFound) {
        result.outcome = TitleOutcome::NoMatch;
    } else if (result.status >= kHttpBadRequest) {
        result.outcome = TitleOutcome::Refused;
        result.detail =
            std::to_string(result.status) + " " +
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().toStdString();
    } else if (reply->error() != QNetworkReply::NoError || result.status == 0) {
        result.outcome = TitleOutcome::Unreachable;
        result.detail = reply->errorString().toStdString();
    } else {
        result.body = reply->readAll();
        // A server that sends more than it announced is cut off by the cap as well.
        if (result.body.size() > rules_.maxBytes) {
            result.body.clear();
            result.outcome = TitleOutcome::Malformed;
        }
    }
    return result;
}

}  // namespace cdz
