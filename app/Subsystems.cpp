#include "app/Subsystems.h"

#include "app/core/AppState.h"

namespace cdz {

void addProgramSubsystems(AppState& state) {
    (void)state;
}

}  // namespace cdz
