#pragma once
// The playlist printout and the chart printout (Top 40) print the playlist the playlist
// browse highlights. Each takes a copy of that playlist's number and name when it starts, so
// a browse that moves on meanwhile never changes what it prints; with no playlist they say so
// rather than print every entry of every playlist. The command line names the playlist by
// its number instead.
#include <cstdint>
#include <string>

#include "app/engine/state/ProcedureNames.h"

namespace cdz {

class AppState;
class Catalogue;
struct ReportRequest;

class PlaylistReportSubject {
public:
    static constexpr const char* kNoPlaylist =
        "There is no playlist to print.| |Highlight a playlist in the playlist browse first.";

    // The view filter that keeps the entries of playlist `id`.
    static std::string filterOf(int32_t id);
    // The request's filter, subject and title for playlist `id` named `description`.
    static void describe(ReportRequest& request, bool chart, int32_t id,
                         const std::string& description);
    // The report's step before its question: the playlist in the playlist buffer. False
    // (after telling the user) when the buffer holds no playlist.
    static bool preparePrintout(AppState& state, ReportRequest& request);
    static bool prepareChart(AppState& state, ReportRequest& request);
    // Reads playlist `id`'s name; 0, or 35 when there is no such playlist (or its code).
    static int find(Catalogue& catalogue, int32_t id, std::string* description);
    // The chart's step before its pass: numbers the playlist's entries 1, 2, 3 ...
    static bool renumber(AppState& state, const ReportRequest& request, std::string* why);
};

}  // namespace cdz
