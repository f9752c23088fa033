#pragma once
// Reads the online title service's JSON answers about releases: a search's candidates (what a
// list to choose from shows of each), and one release looked up by its identifier with every
// medium's tracks, numbered by disc when there are several. An answer not of the service's shape
// reads as malformed, never as a release with blank titles; every text is cleaned of control
// characters and cut to what its field holds.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/albums/cd/TitleRelease.h"

class QJsonObject;

namespace cdz {

class ReleaseAnswer {
public:
    // "Artist A & Artist B" of an answer's object: each credited name and the phrase that joins
    // it to the next, uncleaned and uncut.
    static std::string credit(const QJsonObject& owner);

    // At most `most` candidates of a search, in the service's order (empty: none found).
    static std::optional<std::vector<TitleRelease>> candidates(std::string_view json, int most);
    // The release of a lookup with its recordings, artist credits, labels and release group.
    static std::optional<TitleRelease> release(std::string_view json);
};

}  // namespace cdz
