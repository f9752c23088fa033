#include "app/engine/state/AppState.h"

#include <QPrinter>
#include <QString>

#include <utility>

#include "app/domain/settings/PrinterSettings.h"
#include "querykit/querykit.h"
#include "runtime/text/Text.h"

namespace cdz {
namespace {

// The query library keeps its folder in 100 characters: a longer absolute folder is given
// relative to the current one when that fits.
std::string queryStoreFolder(const std::filesystem::path& folder) {
    constexpr size_t kMostCharacters = 100;
    std::string whole = folder.string();
    if (QString::fromStdString(whole).size() <= static_cast<qsizetype>(kMostCharacters)) {
        return whole;
    }
    std::error_code ec;
    const std::string near = std::filesystem::relative(folder, ec).string();
    return ec || near.empty() ? whole : near;
}

}  // namespace

namespace {

constexpr const char* kSettingsLoss =
    "Settings and window positions changed while the program runs may not be kept.";
constexpr const char* kProfileLoss =
    "Should the program crash while opening a data file, it may not offer to repair the file at "
    "the next start.";

}  // namespace

AppState::AppState(std::filesystem::path dataFolder, std::unique_ptr<Dialogs> dialogs,
                   HaltHandler halt, OnServer server)
    : dataFolder_(std::move(dataFolder)),
      server_(std::move(server)),
      dialogs_(std::move(dialogs)),
      writeFailures_(*dialogs_),
      catalogue_(dataFolder_, server_),
      stop_(*dialogs_, catalogue_, std::move(halt)),
      warning_(
          *dialogs_, catalogue_.database().error(), [this](std::string_view text) { stop_(text); },
          [this] {
              Database& db = catalogue_.database();
              if (db.inTransaction()) db.rollback();
          }),
      integrity_(catalogue_, warning_),
      applicationTag_(kApplicationTag),
      runtimeProfile_(dataFolder_ / BadFileMarker::kProfileFileName),
      marker_(runtimeProfile_, applicationTag_),
      openDataFile_(marker_, registry_, warning_, stop_),
      settingsFileName_(kSettingsFileName),
      settingsFile_(std::make_unique<IniFile>(dataFolder_ / settingsFileName_)),
      starter_([this](const std::string& name) { warning_(Warning::ProcedureNotDefined, name); }) {
    registry_.setApplicationName(applicationTag_);
    writeFailures_.watch(runtimeProfile_, kProfileLoss);
    writeFailures_.watch(*settingsFile_, kSettingsLoss);
    catalogue_.setOpenRoutine([this](DataFile& file) { return openDataFile_(file); });
    // The saved queries live beside the catalogue, not wherever the program was started from,
    // and the query library speaks through the program's dialogs (so scripted runs answer and
    // log its boxes too).
    XR_SETQWFILEPATHS(uint8_t{0}, queryStoreFolder(dataFolder_));
    XR_SETQWSERVER(server_.conninfo, server_.catalogue);
    XR_SETQWDIALOGS(dialogs_.get());
}

AppState::~AppState() {
    XR_SETQWDIALOGS(nullptr);
}

void AppState::setApplicationTag(std::string_view tag) {
    applicationTag_ = std::string(cutChars(tag, 8));
    registry_.setApplicationName(applicationTag_);
    marker_.setSection(applicationTag_);
}

void AppState::setSettingsFileName(std::string_view name) {
    if (name == settingsFileName_) return;  // references to the open file stay good
    settingsFileName_ = std::string(name);
    settingsFile_ = std::make_unique<IniFile>(dataFolder_ / settingsFileName_);
    writeFailures_.watch(*settingsFile_, kSettingsLoss);
}

void AppState::setReportStyle(std::string_view style, std::string_view selection) {
    reportCriteria.style = std::string(cutChars(style, 10));
    reportCriteria.selectedOrAll = std::string(cutChars(selection, 8));
}

QPrinter& AppState::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        PrinterSettings::read(*settingsFile_, *printer_);
    }
    return *printer_;
}

AppState::CallFrame AppState::runCall(Request request, QWidget* caller,
                                      const std::function<void()>& procedure) {
    // Restores the outer call's frame however the procedure leaves.
    struct Restore {
        CallFrame& frame;
        CallFrame outer;
        ~Restore() { frame = std::move(outer); }
    } restore{call_, call_};
    call_.request = request;
    call_.response = Response::None;
    call_.answer.clear();
    if (caller) call_.caller = caller;
    procedure();
    return call_;
}

Response AppState::call(std::string_view name, Request request, QWidget* caller) {
    bool ran = false;
    const CallFrame done = runCall(request, caller, [&] { ran = starter_.run(name); });
    return ran ? done.response : Response::None;
}

Response AppState::call(Request request, const std::function<void()>& procedure) {
    return runCall(request, nullptr, procedure).response;
}

std::string AppState::ask(std::string_view name, Request request) {
    bool ran = false;
    CallFrame done = runCall(request, nullptr, [&] { ran = starter_.run(name); });
    return ran ? std::move(done.answer) : std::string();
}

void AppState::halt(std::string_view text) {
    stop_(text);
}

}  // namespace cdz
