#pragma once
// The parts of the program beside its core, each defining its own procedures when the frame is
// built.
namespace cdz {

class AppState;

void addProgramSubsystems(AppState& state);

}  // namespace cdz
