#include "app/program/Subsystems.h"

#include "app/albums/AlbumsProcedures.h"
#include "app/engine/EngineProcedures.h"
#include "app/engine/state/AppState.h"
#include "app/filemgr/FileManagerProcedures.h"
#include "app/labels/LabelsProcedures.h"
#include "app/playlists/PlaylistsProcedures.h"
#include "app/reports/ReportsProcedures.h"
#include "app/songs/SongsProcedures.h"

namespace cdz {

void addProgramSubsystems(AppState& state) {
    state.addSubsystem(&defineEngineProcedures);
    state.addSubsystem(&defineFileManagerProcedures);
    state.addSubsystem(&defineSongsProcedures);
    state.addSubsystem(&defineAlbumsProcedures);
    state.addSubsystem(&defineReportsProcedures);
    state.addSubsystem(&definePlaylistsProcedures);
    state.addSubsystem(&defineLabelsProcedures);
}

}  // namespace cdz
