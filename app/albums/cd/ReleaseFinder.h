#pragma once
// Finds a release without its disc: searches the online title service's releases by barcode,
// catalogue number or artist and title (one request), looks the chosen one up with its tracks,
// artist credits, labels and release group (one more; kept in the cache folder for a month, as
// a disc's lookup is), and fetches its front cover from the picture archive, falling back to
// its release group's. Every request keeps the service's rules (TitleFetch); Cancel ends the
// one under way.
#include <QByteArray>

#include <string>
#include <vector>

#include "app/albums/cd/ReleaseQuery.h"
#include "app/albums/cd/TitleFetch.h"
#include "app/albums/cd/TitleRelease.h"
#include "app/albums/cd/TitleService.h"

namespace cdz {

class ReleaseFinder {
public:
    static constexpr int kMostCandidates = 25;

    struct Search {
        TitleOutcome outcome = TitleOutcome::NoMatch;
        std::vector<TitleRelease> candidates;
        std::string detail;
    };
    struct Lookup {
        TitleOutcome outcome = TitleOutcome::NoMatch;
        TitleRelease release;
        std::string detail;
        bool fromCache = false;
    };
    struct Cover {
        TitleOutcome outcome = TitleOutcome::NoMatch;  // NoMatch: the release has no cover
        QByteArray picture;                            // Found: an image the program decoded
        std::string detail;
    };

    explicit ReleaseFinder(TitleService::Options options);

    Search search(const ReleaseQuery& query, int most = kMostCandidates);
    Lookup lookup(const std::string& releaseId);
    Cover cover(const std::string& releaseId, const std::string& releaseGroupId);
    void cancel() { fetch_.cancel(); }
    // The requests sent to the service and the archive so far.
    int requests() const { return requests_; }

    // What the user is told when a step found nothing to use ("... knows no release for
    // barcode 724384260927."); empty for Found. `what` names what was asked.
    std::string explain(TitleOutcome outcome, const std::string& detail,
                        const std::string& what) const;
    // The same of a cover: "The picture archive has no front cover of this release." ...
    std::string explainCover(TitleOutcome outcome, const std::string& detail) const;

private:
    TitleFetch::Reply ask(const std::string& server, const std::string& path,
                          const std::vector<std::pair<std::string, std::string>>& query,
                          const char* accept);
    std::filesystem::path cacheFile(const std::string& releaseId) const;

    TitleService::Options options_;
    TitleFetch fetch_;
    int requests_ = 0;
};

}  // namespace cdz
