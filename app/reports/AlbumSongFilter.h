#pragma once
// The one-album song list prints the songs of the album the album browse highlights. It takes
// a copy of that album's number when it starts, so a browse that moves on while the report
// runs never changes what it prints; with no album it says so instead of printing every song.
#include <cstdint>
#include <string>

#include "app/engine/state/ProcedureNames.h"

namespace cdz {

class AppState;
struct ReportRequest;

class AlbumSongFilter {
public:
    static constexpr const char* kProcedure = proc::kOneAlbum;
    static constexpr const char* kNoAlbum =
        "There is no album to print.| |Highlight an album in the album browse first.";

    // The view filter that keeps the songs of album `albumId`.
    static std::string of(int32_t albumId);
    // The report's step before its question: the album in the album buffer, copied into the
    // request's filter. False (after telling the user) when the buffer holds no album.
    static bool prepare(AppState& state, ReportRequest& request);
};

}  // namespace cdz
