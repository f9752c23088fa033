#pragma once
// Reads the online title service's JSON answer to a disc lookup into the releases that hold the
// disc: for each release, the medium that carries the disc ID, else the first one whose track
// count is the disc's, and its tracks. An answer that is not of the service's shape reads as
// malformed, never as a release with blank titles.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/albums/cd/TitleRelease.h"

namespace cdz {

class TitleAnswer {
public:
    // The releases of `json` for the disc `discId` of `trackCount` audio tracks, in the
    // service's order (empty: the service knows none); nullopt when the answer is malformed.
    static std::optional<std::vector<TitleRelease>> read(std::string_view json,
                                                         const std::string& discId, int trackCount);
};

}  // namespace cdz
