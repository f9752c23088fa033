#pragma once
// What the whole program shares while it runs: the dialog facade, the data files (catalogue),
// the file manager's register, the integrity procedures, the forms' history records, the open
// routine with its bad-file marker, the runtime stop, the standard warning, the settings file
// and the settings globals read from it (a failed write of either profile file is told to the
// user once per run), the application tag, the help file, the report style, the printer set up
// from the File menu, and the procedure starter. The process entry creates one and hands it to
// program main; a test builds its own over a temporary folder.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/domain/data/RecordHistory.h"
#include "app/domain/integrity/Integrity.h"
#include "app/domain/opening/BadFileMarker.h"
#include "app/domain/opening/OpenDataFile.h"
#include "app/domain/opening/RuntimeStop.h"
#include "app/domain/settings/Settings.h"
#include "app/domain/settings/WriteFailureNotice.h"
#include "app/domain/warnings/StandardWarning.h"
#include "app/engine/state/ReportCriteria.h"
#include "app/engine/state/Request.h"
#include "runtime/data/ErrorState.h"
#include "runtime/filemgr/FileRegistry.h"
#include "runtime/ini/IniFile.h"
#include "runtime/ui/Dialogs.h"
#include "runtime/ui/ProcedureStarter.h"

class QPrinter;
class QWidget;

namespace cdz {

class AppState {
public:
    // Ends the program with a halt text once it has been shown and the files are closed;
    // never returns in the program.
    using HaltHandler = RuntimeStop::EndHandler;

    static constexpr std::string_view kApplicationTag = "CDZAPP";
    static constexpr std::string_view kSettingsFileName = "CDZSETS.INI";

    // dataFolder holds the data files, the settings file and the runtime's profile file.
    // Without a halt handler a halt exits the process with status 1. The catalogue opens its
    // files through the open routine.
    // `server` names the database server the catalogue is on (empty: the folder's files).
    AppState(std::filesystem::path dataFolder, std::unique_ptr<Dialogs> dialogs,
             HaltHandler halt = {}, OnServer server = {});
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    const std::filesystem::path& dataFolder() const { return dataFolder_; }
    const OnServer& server() const { return server_; }
    Dialogs& dialogs() { return *dialogs_; }
    StandardWarning& warning() { return warning_; }
    // The runtime error state the standard warning reports: the data files' own.
    ErrorState& error() { return catalogue_.database().error(); }
    Catalogue& catalogue() { return catalogue_; }
    FileRegistry& fileRegistry() { return registry_; }
    BadFileMarker& badFileMarker() { return marker_; }
    IniFile& runtimeProfile() { return runtimeProfile_; }
    OpenDataFile& openDataFile() { return openDataFile_; }
    RuntimeStop& runtimeStop() { return stop_; }
    ProcedureStarter& starter() { return starter_; }
    // The delete and update procedures of the data files, with the linking values the forms
    // recorded; and the history records the forms' Ditto recalls.
    Integrity& integrity() { return integrity_; }
    RecordHistory& history() { return history_; }

    // The help file the help commands show.
    static constexpr std::string_view kHelpFileName = "AUDIO.HLP";
    const std::string& helpFile() const { return helpFile_; }
    void setHelpFile(std::string_view name) { helpFile_ = std::string(name); }

    // The 8-character application tag (section of the bad-file marker, application name of
    // the file register).
    const std::string& applicationTag() const { return applicationTag_; }
    void setApplicationTag(std::string_view tag);
    // The settings file, in the data folder. Another name replaces the file object.
    const std::string& settingsFileName() const { return settingsFileName_; }
    void setSettingsFileName(std::string_view name);
    IniFile& settingsFile() { return *settingsFile_; }

    Settings& settings() { return settings_; }
    void readSettings() { settings_ = Settings::read(*settingsFile_); }

    // Report style (10 characters) and selection (8), set when the frame opens.
    const std::string& reportStyle() const { return reportCriteria.style; }
    const std::string& reportSelection() const { return reportCriteria.selectedOrAll; }
    void setReportStyle(std::string_view style, std::string_view selection);
    // The last answers of the report criteria window, which the next one starts from.
    ReportCriteria reportCriteria;

    // The printer the reports print on, as the user last set it up (in this run or, kept in the
    // settings file, an earlier one); made on first use.
    QPrinter& printer();

    // Shows the halt text, closes the files, then ends the program (the runtime stop).
    void halt(std::string_view text);

    // Procedure calls. A window calls a procedure by name with a request (a browse asks a form
    // to add or change, a picker to select); the procedure takes the request when it starts and
    // answers with a response, a chooser also with a text. A call restores the request, the
    // response, the caller and the answer it found when it returns, so a call made while
    // another runs (a form's picker, a wizard's question) leaves the outer one's as it was.
    // `caller` is the window that calls on its own behalf (the browse whose column layout
    // window runs), for the call's length; nullptr keeps the current one. A name not defined
    // as a routine answers Response::None.
    Response call(std::string_view name, Request request = Request::None,
                  QWidget* caller = nullptr);
    // The same scope around a procedure run directly (a form the caller builds itself).
    Response call(Request request, const std::function<void()>& procedure);
    // Calls a chooser and returns the text it answered with (empty: none).
    std::string ask(std::string_view name, Request request = Request::None);

    // The called procedure's side: what it was asked, taken once when it starts (a window
    // started beside the others takes none), and its answer.
    Request request() const { return call_.request; }
    Request takeRequest() { return std::exchange(call_.request, Request::None); }
    Response response() const { return call_.response; }
    void respond(Response response) { call_.response = response; }
    void answerWith(std::string text) { call_.answer = std::move(text); }
    QWidget* caller() const { return call_.caller; }

    // False when the program was started with --no-splash: the start-up browses open as soon
    // as the frame is up instead of when the splash window closes.
    bool showSplash = true;

    // Each part of the program (songs, albums, playlists, labels, reports) defines its own
    // procedures with the starter when the frame is built, so adding a window never edits the
    // frame. The frame is the parent of the windows they start.
    using Subsystem = std::function<void(AppState& state, QWidget& frame)>;
    void addSubsystem(Subsystem define) { subsystems_.push_back(std::move(define)); }
    const std::vector<Subsystem>& subsystems() const { return subsystems_; }

private:
    std::filesystem::path dataFolder_;
    OnServer server_;
    std::unique_ptr<Dialogs> dialogs_;
    WriteFailureNotice writeFailures_;
    Catalogue catalogue_;
    RuntimeStop stop_;
    StandardWarning warning_;
    Integrity integrity_;
    RecordHistory history_;
    std::string applicationTag_;
    IniFile runtimeProfile_;
    BadFileMarker marker_;
    FileRegistry registry_;
    OpenDataFile openDataFile_;
    std::string helpFile_;
    std::string settingsFileName_;
    std::unique_ptr<IniFile> settingsFile_;
    Settings settings_;
    std::unique_ptr<QPrinter> printer_;
    ProcedureStarter starter_;
    std::vector<Subsystem> subsystems_;
    // What the current call exchanges; see call().
    struct CallFrame {
        Request request = Request::None;
        Response response = Response::None;
        QWidget* caller = nullptr;
        std::string answer;
    };
    CallFrame call_;
    CallFrame runCall(Request request, QWidget* caller, const std::function<void()>& procedure);
};

}  // namespace cdz
