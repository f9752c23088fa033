#include "app/program/ProgramStart.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/engine/command/CommandTable.h"
#include "app/engine/command/HeadlessState.h"
#include "app/engine/state/AppState.h"
#include "app/engine/window/AppIcons.h"
#include "app/program/ProgramManual.h"
#include "app/program/Subsystems.h"
#include "app/shell/startup/ProgramMain.h"
#include "app/shell/startup/TerminationWatcher.h"
#include "runtime/process/CommandOptions.h"
#include "runtime/ui/DialogsFromEnvironment.h"

namespace cdz {
namespace {

constexpr const char* kName = "Orvanta 98";
// The build gives the version (CDZ_PROGRAM_VERSION in the top CMakeLists), which the package
// carries too.
constexpr const char* kVersion = CDZ_PROGRAM_VERSION;
// The desktop entry and metainfo's name: Wayland compositors match the windows to it.
constexpr const char* kDesktopFileName = "org.cadenzio.cadenzio";
constexpr int kCannotStart = 2;

// The options of the windowed program; the commands read --data-dir, --server and --catalogue
// too.
std::vector<CommandOption> windowedOptions() {
    return {
        {.name = "data-dir",
         .valueName = "folder",
         .help = "Keep the data files and settings in <folder> (default: the current folder)."},
        {.name = "desktop",
         .help = "Keep the data files and settings in the desktop's data folder, "
                 "$XDG_DATA_HOME/cadenzio (~/.local/share/cadenzio), made on the first start; "
                 "the desktop's menu starts the program so. --data-dir wins."},
        {.name = "no-splash",
         .help = "Open without the splash window; the start-up browses open at once."},
        {.name = "server",
         .valueName = "url",
         .help = "Keep the catalogue on the PostgreSQL server <url> (postgresql://host/database) "
                 "instead of the data folder's files; Server= in section [Settings] of "
                 "CDZSETS.INI does the same. The password comes from ~/.pgpass or the server's "
                 "own authentication."},
        {.name = "catalogue",
         .valueName = "name",
         .help = "The catalogue's name on the server, so that several share one database "
                 "(ServerCatalogue= in the settings file)."},
    };
}

}  // namespace

CommandTable programCommandTable() {
    CommandTable table({.executable = "cdzapp",
                        .name = kName,
                        .version = kVersion,
                        .description = "Orvanta 98: catalogue your music collection.",
                        .manual = programManual()},
                       windowedOptions());
    addProgramCommands(table);
    return table;
}

int startWindowedProgram(const CommandOptions& options, int& argc, char** argv) {
    // Before any thread exists, so that SIGTERM reaches the frame instead of ending the process.
    TerminationWatcher::blockTermination();
    QApplication app(argc, argv);
    QApplication::setApplicationName(kName);
    QApplication::setApplicationVersion(kVersion);
    QApplication::setWindowIcon(AppIcons::icon("WINPYR.ICO"));
    QGuiApplication::setDesktopFileName(kDesktopFileName);

    std::optional<CatalogueChoice> choice =
        chooseCatalogue(options, QDir::currentPath().toStdString(), stderr);
    if (!choice) return kCannotStart;
    std::string error;
    std::unique_ptr<Dialogs> dialogs = dialogsFromEnvironment(error);
    if (!dialogs) {
        std::fprintf(stderr, "cdzapp: %s\n", error.c_str());
        return kCannotStart;
    }
    if (!choice->note.empty())
        dialogs->message(kName, choice->note, MessageIcon::Information, Button::Ok, Button::Ok);
    AppState state(std::filesystem::absolute(choice->folder), std::move(dialogs), {},
                   std::move(choice->server));
    state.showSplash = !options.has("no-splash");
    addProgramSubsystems(state);
    return ProgramMain(state).run();
}

}  // namespace cdz
