#include "querykit/qwizard/Messages.h"

#include <cstdlib>

#include "runtime/ui/DialogsFromEnvironment.h"
#include "runtime/ui/QtDialogs.h"
#include "runtime/warnings/WarningTable.h"

namespace qk {

using cdz::Button;
using cdz::MessageIcon;

std::string errorText(const cdz::ErrorState& error) {
    return cdz::composeErrorText(cdz::ErrorState{}, error);
}

Messages::~Messages() = default;

cdz::Dialogs& Messages::dialogs() {
    if (hostDialogs_) return *hostDialogs_;
    if (!ownDialogs_) {
        std::string why;
        ownDialogs_ = cdz::dialogsFromEnvironment(why);
        // An answer or log file that cannot be used must not leave the library mute.
        if (!ownDialogs_) ownDialogs_ = std::make_unique<cdz::QtDialogs>();
    }
    return *ownDialogs_;
}

Button Messages::warning(cdz::Warning warning, const cdz::ErrorState& error,
                         std::string_view text1) {
    const int number = static_cast<int>(warning);
    // The program's own table: the library's store errors read as the program's do.
    const cdz::WarningMessage w =
        cdz::warningMessage(number, text1, {}, errorText(error), error.code);
    const Button pressed = dialogs().message(w.title, w.text, w.icon, w.buttons, w.defaultButton);
    if (!w.haltText.empty() && w.haltOn.has(pressed)) halt(w.haltText);
    return pressed;
}

void Messages::show(std::string_view title, std::string_view text) {
    dialogs().message(title, text, MessageIcon::Warning, Button::Ok, Button::Ok);
}

void Messages::halt(std::string_view text) {
    dialogs().halt(text);
    if (halt_) {
        halt_(text);
        return;
    }
    std::exit(EXIT_FAILURE);
}

}  // namespace qk
