// Process entry of cdzapp.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/albums/cd/CdInfoCommand.h"
#include "app/domain/settings/ServerSetting.h"
#include "app/engine/state/AppState.h"
#include "app/engine/window/AppIcons.h"
#include "app/labels/LabelPrintCommand.h"
#include "app/program/Subsystems.h"
#include "app/reports/PrintCommand.h"
#include "app/shell/startup/CopyCommand.h"
#include "app/shell/startup/ProgramMain.h"
#include "app/shell/startup/TerminationWatcher.h"
#include "app/songs/csv/CsvCommand.h"
#include "runtime/RuntimeVersion.h"
#include "runtime/ui/DialogsFromEnvironment.h"

int main(int argc, char** argv) {
    // The runtime library this program was built for; on another one it must not run.
    if (!cdz::checkRuntimeVersion(258, 3)) {
        std::fprintf(stderr,
                     "cdzapp: this program needs version 258.3 of the runtime library libcdzrt, "
                     "but version %s was loaded\n",
                     cdz::runtimeVersionText(cdz::runtimeVersion()).c_str());
        return 3;
    }
    // Reading the disc needs no window, nor a display to show one on.
    if (const auto status = cdz::CdInfoCommand::runFromArguments(argc, argv)) return *status;
    // Nor does making a report into a PDF file.
    if (const auto status = cdz::PrintCommand::runFromArguments(argc, argv)) return *status;
    // Nor printing a label into one.
    if (const auto status = cdz::LabelPrintCommand::runFromArguments(argc, argv)) return *status;
    // Nor do importing and exporting songs as comma-separated files.
    if (const auto status = cdz::CsvCommand::runFromArguments(argc, argv)) return *status;
    // Nor does copying the catalogue to or from a database server.
    if (const auto status = cdz::CopyCommand::runFromArguments(argc, argv)) return *status;
    // Before any thread exists, so that SIGTERM reaches the frame instead of ending the process.
    cdz::TerminationWatcher::blockTermination();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvanta 98");
    QApplication::setApplicationVersion("2.0a");
    QApplication::setWindowIcon(cdz::AppIcons::icon("WINPYR.ICO"));

    QCommandLineParser options;
    options.setApplicationDescription("Orvanta 98: catalogue your music collection.");
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption dataDir("data-dir",
                                     "Keep the data files and settings in <folder> (default: "
                                     "the current folder).",
                                     "folder", QDir::currentPath());
    options.addOption(dataDir);
    const QCommandLineOption noSplash("no-splash",
                                      "Open without the splash window; the start-up browses "
                                      "open at once.");
    options.addOption(noSplash);
    // Handled above, before the application starts; listed here for --help.
    const QCommandLineOption cdInfo("cd-info",
                                    "Print the track count, identifier and track lengths of "
                                    "the audio disc in the drive (or in the drive or disc image "
                                    "named after the option) and exit; with --lookup also the "
                                    "disc ID and the titles the online title service gives.");
    options.addOption(cdInfo);
    const QCommandLineOption print(
        "print",
        "Make the report <procedure> (for example PRINTMUS:SONGSBYARTIST) without a window and "
        "write it to the PDF file named by --pdf; --selected TEXT prints only records whose "
        "order field begins with TEXT, --filter EXPRESSION only those the expression accepts; "
        "PRINTONEALBUM prints the songs of the album numbered by --album N; PRINTPLAYLIST and "
        "PRINTPLAYLISTTOP40 print the playlist numbered by --playlist N (the Top 40 numbers its "
        "entries 1, 2, 3 ... as it prints).",
        "procedure");
    options.addOption(print);
    const QCommandLineOption printLabel(
        "print-label",
        "Print the label numbered <number> without a window, as the label browse prints it, to "
        "the PDF file named by --pdf; --paper A4 or --paper Letter chooses the paper (else the "
        "printer set-up's). What cannot be printed as the label asks (a missing picture, a "
        "typeface this computer lacks) is told on the error output.",
        "number");
    options.addOption(printLabel);
    options.addOption(QCommandLineOption("paper", "See --print-label.", "A4|Letter"));
    for (const char* name : {"pdf", "selected", "filter", "album", "playlist"})
        options.addOption(QCommandLineOption(name, "See --print.", "value"));
    options.addOption(QCommandLineOption(
        "import",
        "Add a song for each line of the comma-separated <file> without a window and exit. The "
        "columns are assigned by the labels of its first line (MUS:Artist, MUS:Title ... or "
        "Artist, Title ...), which is then skipped, or by --map \"Header=MUS:Field,...\" (a "
        "header is a first-line label or Field_1, Field_2 ...). Prints the songs added and "
        "each line refused; the exit status is 1 when nothing could be imported.",
        "file"));
    options.addOption(QCommandLineOption("map", "See --import.", "assignment"));
    options.addOption(QCommandLineOption(
        "export",
        "Write every song, in artist order, as a line of the comma-separated <file> without a "
        "window, every field in the export window's order after a header line, and exit.",
        "file"));
    options.addOption(QCommandLineOption(
        "server",
        "Keep the catalogue on the PostgreSQL server <url> (postgresql://host/database) instead "
        "of the data folder's files; Server= in section [Settings] of CDZSETS.INI does the "
        "same. The password comes from ~/.pgpass or the server's own authentication.",
        "url"));
    options.addOption(
        QCommandLineOption("catalogue",
                           "The catalogue's name on the server, so that several share one database "
                           "(ServerCatalogue= in the settings file).",
                           "name"));
    options.addOption(QCommandLineOption(
        "copy-to-server",
        "Copy the data folder's catalogue (its data files and saved queries) onto the server "
        "<url> (under --catalogue's name) in one transaction, and exit; the server must hold "
        "none of it yet.",
        "url"));
    options.addOption(QCommandLineOption(
        "copy-from-server",
        "Copy the catalogue on the server <url> into the data folder's files, and exit; the "
        "folder must hold none of it yet.",
        "url"));
    options.process(app);
    const std::filesystem::path folder = options.value(dataDir).toStdString();
    std::error_code ec;
    if (!std::filesystem::exists(folder, ec)) {
        std::fprintf(stderr, "cdzapp: the data folder %s does not exist\n", folder.c_str());
        return 2;
    }
    if (!std::filesystem::is_directory(folder, ec)) {
        std::fprintf(stderr,
                     "cdzapp: %s is not a folder (--data-dir names the folder that holds the data "
                     "files)\n",
                     folder.c_str());
        return 2;
    }

    cdz::OnServer server;
    std::string refused;
    if (!cdz::ServerSetting::choose(folder, options.value("server").toStdString(),
                                    options.value("catalogue").toStdString(), &server, &refused)) {
        std::fprintf(stderr, "cdzapp: %s\n", refused.c_str());
        return 2;
    }

    std::string error;
    std::unique_ptr<cdz::Dialogs> dialogs = cdz::dialogsFromEnvironment(error);
    if (!dialogs) {
        std::fprintf(stderr, "cdzapp: %s\n", error.c_str());
        return 2;
    }

    cdz::AppState state(std::filesystem::absolute(folder), std::move(dialogs), {},
                        std::move(server));
    state.showSplash = !options.isSet(noSplash);
    cdz::addProgramSubsystems(state);
    return cdz::ProgramMain(state).run();
}
