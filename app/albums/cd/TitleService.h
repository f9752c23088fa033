#pragma once
// Asks the online title service which releases hold an audio disc, by the disc's ID. The call
// waits for the answer while the event loop runs (windows repaint; a test's own server answers),
// sends at most one request a second from this station (a stamp in the cache folder), gives up
// after a time limit, and keeps every answer that named a release in the cache folder, where
// the next lookup of the same disc at the same server finds it without asking again for a month.
#include <QtGlobal>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/albums/cd/TitleFetch.h"
#include "app/albums/cd/TitleRelease.h"
#include "runtime/cd/CdDevice.h"

namespace cdz {

struct Settings;

class TitleService {
public:
    static constexpr const char* kDefaultServer = "https://musicbrainz.org";
    static constexpr int kDefaultTimeoutSeconds = 10;
    static constexpr std::chrono::milliseconds kRequestSpacing = TitleFetch::kRequestSpacing;
    // A kept answer older than this is asked again: the service's data grows and is corrected.
    static constexpr std::chrono::hours kCacheAge{24 * 30};
    // An answer larger than this is no disc's and is not read.
    static constexpr qint64 kMaxAnswerBytes = 8 << 20;

    static constexpr const char* kDefaultCoverServer = "https://coverartarchive.org";

    struct Options {
        std::string server = kDefaultServer;
        std::string coverServer = kDefaultCoverServer;
        std::chrono::milliseconds timeout{kDefaultTimeoutSeconds * 1000};
        std::filesystem::path cacheFolder;  // empty: neither cache nor shared stamp
    };

    using Outcome = TitleOutcome;

    struct Result {
        Outcome outcome = Outcome::NoMatch;
        std::string discId;
        std::vector<TitleRelease> releases;
        std::string detail;  // the network's or the server's own words, for the message
        bool fromCache = false;
    };

    explicit TitleService(Options options);

    // The server (MusicBrainzServer), time limit (MusicBrainzTimeout, seconds) and cache folder
    // (the user's cache folder) the program uses.
    static Options optionsFrom(const Settings& settings);
    // "Orvanta98/2.0a ( cdzapp )": the program and its version, as the service asks of clients.
    static std::string userAgent() { return TitleFetch::userAgent(); }
    // The request rules of these options: the time limit, the stamp in the cache folder, the cap.
    static TitleFetch::Rules rulesOf(const Options& options);
    // The folder of the answers kept from the service these options name: one per server, so
    // that a test server's answers never stand for the real one's. Empty without a cache folder.
    static std::filesystem::path answersFolder(const Options& options);

    // Looks up the disc read into `contents`.
    Result find(const CdContents& contents);

    // What the user is told when a lookup found nothing to fill in; empty for Found.
    std::string explain(const Result& result) const;

private:
    std::filesystem::path cacheFile(const std::string& discId) const;
    Result ask(const std::string& discId, const std::string& toc, int trackCount);

    Options options_;
    TitleFetch fetch_;
};

}  // namespace cdz
