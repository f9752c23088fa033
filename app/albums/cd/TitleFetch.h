#pragma once
// One request to the online title service or its picture archive, under the rules every such
// request keeps: at most one a second from this station (a stamp in the cache folder holds back
// every copy of the program), the program named in the User-Agent, a time limit, an answer no
// larger than a cap, and a Cancel the user can give while it waits. The event loop runs while it
// waits, so windows repaint and a test's own server answers.
#include <QByteArray>
#include <QtGlobal>

#include <chrono>
#include <filesystem>
#include <string>

class QNetworkReply;
class QUrl;

namespace cdz {

// How a request to the title service ended, as its callers tell the user.
enum class TitleOutcome {
    Found,        // an answer with what was asked for
    NoMatch,      // the service knows nothing of it
    NoDiscId,     // the disc's table of contents gives no ID (no audio track)
    Unreachable,  // no network, no server, a refused connection
    TimedOut,
    Refused,    // the server answered with an HTTP error
    Malformed,  // an answer not of the service's shape, or over the size cap
    Cancelled,  // the user's Cancel
};

class TitleFetch {
public:
    static constexpr std::chrono::milliseconds kRequestSpacing{1000};

    struct Rules {
        std::chrono::milliseconds timeout{10000};
        std::filesystem::path stampFolder;  // empty: only this object's own requests are spaced
        qint64 maxBytes = 8 << 20;
    };

    struct Reply {
        TitleOutcome outcome = TitleOutcome::Found;  // Found: a 2xx answer, its body in `body`
        int status = 0;
        QByteArray body;
        std::string detail;  // the network's or the server's own words
    };

    explicit TitleFetch(Rules rules) : rules_(std::move(rules)) {}

    // "Orvanta98/2.0a ( cdzapp )": the program and its version, as the service asks of clients.
    static std::string userAgent();

    // Keeps `bytes` as `file` (its folder made): written to a temporary file, then renamed over
    // it, so a kill or a full disk leaves the old file. False when it was not written.
    static bool keep(const std::filesystem::path& file, const QByteArray& bytes);

    // GETs `url` (redirects followed); a 404 is NoMatch.
    Reply get(const QUrl& url, const char* accept);
    // Ends the request under way, or the wait for its turn, as Cancelled; called from the
    // event loop get() runs (a Cancel button).
    void cancel();
    bool cancelled() const { return cancelled_; }
    const Rules& rules() const { return rules_; }

private:
    void waitForTurn();
    void markTurn();

    Rules rules_;
    std::chrono::steady_clock::time_point lastRequest_{};
    bool cancelled_ = false;
    QNetworkReply* running_ = nullptr;
};

}  // namespace cdz
