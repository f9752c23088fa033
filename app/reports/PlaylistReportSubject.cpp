#include "app/reports/PlaylistReportSubject.h"

#include "app/engine/state/AppState.h"
#include "app/reports/PlaylistRenumber.h"
#include "app/reports/ReportJob.h"
#include "runtime/data/ErrorGuard.h"

namespace cdz {
namespace {

bool prepare(AppState& state, ReportRequest& request, bool chart) {
    // Playlist numbers start at 1; a cleared buffer holds 0.
    const PlaylistMasterRecord& playlist = state.catalogue().playlist();
    if (playlist.PlaylistID <= 0) {
        state.dialogs().message(chart ? "Top 40" : "Playlist", PlaylistReportSubject::kNoPlaylist,
                                MessageIcon::Information, Button::Ok, Button::Ok);
        return false;
    }
    PlaylistReportSubject::describe(request, chart, playlist.PlaylistID,
                                    std::string(playlist.PlaylistDescription.clipped()));
    return true;
}

}  // namespace

std::string PlaylistReportSubject::filterOf(int32_t id) {
    return "PLA:PlaylistID = " + std::to_string(id);
}

void PlaylistReportSubject::describe(ReportRequest& request, bool chart, int32_t id,
                                     const std::string& description) {
    request.filter = filterOf(id);
    request.subject = id;
    if (chart) {
        request.title = description.empty() ? "Play List #" + std::to_string(id) : description;
    } else {
        request.title = description.empty() ? "Playlist" : "Playlist  " + description;
    }
}

bool PlaylistReportSubject::preparePrintout(AppState& state, ReportRequest& request) {
    return prepare(state, request, false);
}

bool PlaylistReportSubject::prepareChart(AppState& state, ReportRequest& request) {
    return prepare(state, request, true);
}

int PlaylistReportSubject::find(Catalogue& catalogue, int32_t id, std::string* description) {
    PlaylistMasterRecord playlist;
    DataFile file(catalogue.database(), PlaylistMasterRecord::declaration(), playlist);
    file.setName(catalogue.file(CatalogueFile::PlaylistMaster).name());
    if (int code = file.open()) return code;
    playlist.PlaylistID = id;
    const int code = file.get(PlaylistMasterRecord::KeyPlaylistID);
    *description = std::string(playlist.PlaylistDescription.clipped());
    ErrorGuard keep(catalogue.database().error());
    file.close();
    return code;
}

bool PlaylistReportSubject::renumber(AppState& state, const ReportRequest& request,
                                     std::string* why) {
    if (request.subject <= 0) {
        *why = "there is no playlist to print";
        return false;
    }
    if (PlaylistRenumber::run(state.catalogue(), request.subject) != 0) {
        const ErrorState& e = state.error();
        *why = "The playlist's entries could not be renumbered (" + std::to_string(e.code) + " - " +
               (e.driverText.empty() ? e.text : e.driverText) + "); nothing was printed.";
        return false;
    }
    return true;
}

}  // namespace cdz
