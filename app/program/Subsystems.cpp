#include "app/program/Subsystems.h"

#include "app/albums/AlbumsProcedures.h"
#include "app/albums/cd/CdInfoCommand.h"
#include "app/albums/cd/FindReleaseCommand.h"
#include "app/audiofiles/AddFilesCommand.h"
#include "app/audiofiles/AudioFilesProcedures.h"
#include "app/engine/EngineProcedures.h"
#include "app/engine/command/CommandTable.h"
#include "app/engine/state/AppState.h"
#include "app/filemgr/FileManagerProcedures.h"
#include "app/labels/LabelPrintCommand.h"
#include "app/labels/LabelsProcedures.h"
#include "app/playlists/PlaylistsProcedures.h"
#include "app/reports/PrintCommand.h"
#include "app/reports/ReportsProcedures.h"
#include "app/shell/startup/CopyCommand.h"
#include "app/songs/SongsProcedures.h"
#include "app/songs/csv/CsvCommand.h"

namespace cdz {

void addProgramSubsystems(AppState& state) {
    state.addSubsystem(&defineEngineProcedures);
    state.addSubsystem(&defineFileManagerProcedures);
    state.addSubsystem(&defineSongsProcedures);
    state.addSubsystem(&defineAlbumsProcedures);
    state.addSubsystem(&defineReportsProcedures);
    state.addSubsystem(&definePlaylistsProcedures);
    state.addSubsystem(&defineLabelsProcedures);
    state.addSubsystem(&defineAudioFilesProcedures);
}

// In the order --help lists them; an option two commands share is listed with the first.
void addProgramCommands(CommandTable& table) {
    table.add(CdInfoCommand::command());
    table.add(FindReleaseCommand::command());
    table.add(PrintCommand::command());
    table.add(LabelPrintCommand::command());
    table.add(CsvCommand::importCommand());
    table.add(CsvCommand::exportCommand());
    table.add(AddFilesCommand::command());
    table.add(CopyCommand::toServerCommand());
    table.add(CopyCommand::fromServerCommand());
}

}  // namespace cdz
