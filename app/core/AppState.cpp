#include "app/core/AppState.h"

#include <QPrinter>

#include <cstdlib>
#include <utility>

#include "runtime/text/Text.h"

namespace cdz {

AppState::AppState(std::filesystem::path dataFolder, std::unique_ptr<Dialogs> dialogs,
                   HaltHandler halt)
    : dataFolder_(std::move(dataFolder)),
      dialogs_(std::move(dialogs)),
      halt_(std::move(halt)),
      warning_(*dialogs_, error_, [this](std::string_view text) { this->halt(text); }, {}),
      applicationTag_(kApplicationTag),
      settingsFileName_(kSettingsFileName),
      settingsFile_(std::make_unique<IniFile>(dataFolder_ / settingsFileName_)),
      starter_([this](const std::string& name) { warning_(6, name); }) {}

AppState::~AppState() = default;

void AppState::setApplicationTag(std::string_view tag) {
    applicationTag_ = std::string(cutChars(tag, 8));
}

void AppState::setSettingsFileName(std::string_view name) {
    if (name == settingsFileName_) return;  // references to the open file stay good
    settingsFileName_ = std::string(name);
    settingsFile_ = std::make_unique<IniFile>(dataFolder_ / settingsFileName_);
}

void AppState::setReportStyle(std::string_view style, std::string_view selection) {
    reportStyle_ = std::string(cutChars(style, 10));
    reportSelection_ = std::string(cutChars(selection, 8));
}

QPrinter& AppState::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void AppState::halt(std::string_view text) {
    dialogs_->halt(text);
    if (halt_) {
        halt_(text);
        return;
    }
    std::exit(EXIT_FAILURE);
}

}  // namespace cdz
