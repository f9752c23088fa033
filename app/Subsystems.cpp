#include "app/Subsystems.h"

#include "app/albums/AlbumsProcedures.h"
#include "app/core/AppState.h"
#include "app/songs/SongsProcedures.h"

namespace cdz {

void addProgramSubsystems(AppState& state) {
    state.addSubsystem(&defineSongsProcedures);
    state.addSubsystem(&defineAlbumsProcedures);
}

}  // namespace cdz
