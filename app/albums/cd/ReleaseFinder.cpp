#include "app/albums/cd/ReleaseFinder.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>

#include "app/albums/cd/ReleaseAnswer.h"

namespace cdz {

namespace {

constexpr size_t kLongestId = 36;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// An identifier the service gave goes into an address only when it is one (letters, digits,
// dashes), never as a path of its own choosing.
bool isIdentifier(const std::string& id) {
    return !id.empty() && id.size() <= kLongestId &&
           std::all_of(id.begin(), id.end(),
                       [](unsigned char c) { return std::isalnum(c) != 0 || c == '-'; });
}

bool decodes(const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    QImageReader reader(&buffer);
    return !reader.format().isEmpty() && !reader.read().isNull();
}

}  // namespace

ReleaseFinder::ReleaseFinder(TitleService::Options options)
    : options_(std::move(options)), fetch_(TitleService::rulesOf(options_)) {
    for (std::string* server : {&options_.server, &options_.coverServer}) {
        while (!server->empty() && server->back() == '/') server->pop_back();
    }
}

TitleFetch::Reply ReleaseFinder::ask(const std::string& server, const std::string& path,
                                     const std::vector<std::pair<std::string, std::string>>& query,
                                     const char* accept) {
    QUrl url(qs(server + path));
    QUrlQuery items;
    for (const auto& [name, value] : query) items.addQueryItem(qs(name), qs(value));
    if (!query.empty()) url.setQuery(items);
    if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty()) {
        TitleFetch::Reply bad;
        bad.outcome = TitleOutcome::Unreachable;
        bad.detail = "\"" + server + "\" is not a web address";
        return bad;
    }
    ++requests_;
    return fetch_.get(url, accept);
}

ReleaseFinder::Search ReleaseFinder::search(const ReleaseQuery& query, int most) {
    Search result;
    most = std::clamp(most, 1, kMostCandidates);
    TitleFetch::Reply reply =
        ask(options_.server, "/ws/2/release/",
            {{"query", query.searchText()}, {"limit", std::to_string(most)}, {"fmt", "json"}},
            "application/json");
    result.outcome = reply.outcome;
    result.detail = std::move(reply.detail);
    if (reply.outcome != TitleOutcome::Found) return result;
    auto candidates = ReleaseAnswer::candidates(reply.body.toStdString(), most);
    if (!candidates) {
        result.outcome = TitleOutcome::Malformed;
        return result;
    }
    result.candidates = std::move(*candidates);
    result.outcome = result.candidates.empty() ? TitleOutcome::NoMatch : TitleOutcome::Found;
    return result;
}

std::filesystem::path ReleaseFinder::cacheFile(const std::string& releaseId) const {
    const std::filesystem::path folder = TitleService::answersFolder(options_);
    return folder.empty() ? folder : folder / ("release-" + releaseId + ".json");
}

ReleaseFinder::Lookup ReleaseFinder::lookup(const std::string& releaseId) {
    Lookup result;
    if (!isIdentifier(releaseId)) {
        result.outcome = TitleOutcome::Malformed;
        return result;
    }
    const std::filesystem::path cached = cacheFile(releaseId);
    std::error_code noTime;
    if (!cached.empty()) {
        const auto written = std::filesystem::last_write_time(cached, noTime);
        QFile in(qs(cached.string()));
        if (!noTime &&
            std::filesystem::file_time_type::clock::now() - written < TitleService::kCacheAge &&
            in.size() <= TitleService::kMaxAnswerBytes && in.open(QIODevice::ReadOnly)) {
            if (auto release = ReleaseAnswer::release(in.readAll().toStdString())) {
                result.outcome = TitleOutcome::Found;
                result.release = std::move(*release);
                result.fromCache = true;
                return result;
            }
        }
    }
    TitleFetch::Reply reply =
        ask(options_.server, "/ws/2/release/" + releaseId,
            {{"inc", "artist-credits+recordings+labels+release-groups"}, {"fmt", "json"}},
            "application/json");
    result.outcome = reply.outcome;
    result.detail = std::move(reply.detail);
    if (reply.outcome != TitleOutcome::Found) return result;
    auto release = ReleaseAnswer::release(reply.body.toStdString());
    if (!release || release->tracks.empty()) {
        result.outcome = release ? TitleOutcome::NoMatch : TitleOutcome::Malformed;
        return result;
    }
    result.release = std::move(*release);
    if (!cached.empty()) TitleFetch::keep(cached, reply.body);
    return result;
}

ReleaseFinder::Cover ReleaseFinder::cover(const std::string& releaseId,
                                          const std::string& releaseGroupId) {
    Cover result;
    std::vector<std::string> paths;
    if (isIdentifier(releaseId)) paths.push_back("/release/" + releaseId + "/front-500");
    if (isIdentifier(releaseGroupId))
        paths.push_back("/release-group/" + releaseGroupId + "/front-500");
    for (const std::string& path : paths) {
        TitleFetch::Reply reply = ask(options_.coverServer, path, {}, "image/*");
        result.outcome = reply.outcome;
        result.detail = std::move(reply.detail);
        if (reply.outcome == TitleOutcome::NoMatch) continue;  // the release group's, then
        if (reply.outcome != TitleOutcome::Found) return result;
        if (!decodes(reply.body)) {
            result.outcome = TitleOutcome::Malformed;
            return result;
        }
        result.picture = std::move(reply.body);
        return result;
    }
    result.outcome = TitleOutcome::NoMatch;
    return result;
}

std::string ReleaseFinder::explain(TitleOutcome outcome, const std::string& detail,
                                   const std::string& what) const {
    const std::string at = "The title service at " + options_.server;
    switch (outcome) {
        case TitleOutcome::Found:
            return {};
        case TitleOutcome::NoMatch:
        case TitleOutcome::NoDiscId:
            return "The title service knows no release for " + what + ".";
        case TitleOutcome::Unreachable:
            return at + " could not be reached (" + detail +
                   "). Check the network connection and the MusicBrainzServer setting.";
        case TitleOutcome::TimedOut:
            return at + " did not answer within " +
                   std::to_string((options_.timeout.count() + 999) / 1000) +
                   " seconds. Try again later.";
        case TitleOutcome::Refused:
            return at + " answered with error " + detail + ". Try again later.";
        case TitleOutcome::Malformed:
            return at + " gave an answer that could not be read.";
        case TitleOutcome::Cancelled:
            return "The search was cancelled.";
    }
    return {};
}

std::string ReleaseFinder::explainCover(TitleOutcome outcome, const std::string& detail) const {
    const std::string at = "The picture archive at " + options_.coverServer;
    switch (outcome) {
        case TitleOutcome::Found:
            return {};
        case TitleOutcome::NoMatch:
        case TitleOutcome::NoDiscId:
            return "The picture archive has no front cover of this release.";
        case TitleOutcome::Unreachable:
            return at + " could not be reached (" + detail + ").";
        case TitleOutcome::TimedOut:
            return at + " did not answer within " +
                   std::to_string((options_.timeout.count() + 999) / 1000) + " seconds.";
        case TitleOutcome::Refused:
            return at + " answered with error " + detail + ".";
        case TitleOutcome::Malformed:
            return at + " sent a file that is not a picture.";
        case TitleOutcome::Cancelled:
            return "Fetching the cover was cancelled.";
    }
    return {};
}

}  // namespace cdz
