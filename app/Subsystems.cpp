#include "app/Subsystems.h"

#include "app/core/AppState.h"
#include "app/songs/SongsProcedures.h"

namespace cdz {

void addProgramSubsystems(AppState& state) {
    state.addSubsystem(&defineSongsProcedures);
}

}  // namespace cdz
