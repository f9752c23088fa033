#pragma once
// The parts of the program beside its core, each defining its own procedures when the frame is
// built and its own commands that run without windows.
namespace cdz {

class AppState;
class CommandTable;

void addProgramSubsystems(AppState& state);
void addProgramCommands(CommandTable& table);

}  // namespace cdz
