#include "querykit/qwizard/Messages.h"

#include <cstdlib>

#include "runtime/text/Text.h"
#include "runtime/ui/DialogsFromEnvironment.h"
#include "runtime/ui/QtDialogs.h"

namespace qk {

using cdz::Button;
using cdz::MessageIcon;

namespace {

struct Warning {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Warning;
    cdz::Buttons buttons = Button::Ok;
    Button defaultButton = Button::Ok;
    std::string halt;  // ends the program when the button pressed is in haltOn
    cdz::Buttons haltOn;
};

Warning fatal(std::string title, std::string text, std::string halt) {
    return {std::move(title), std::move(text), MessageIcon::Warning, Button::Ok, Button::Ok,
            std::move(halt),  Button::Ok};
}

Warning compose(int number, const std::string& e, const std::string& t1) {
    const std::string endApp = ".  Press OK to end this application.";
    switch (number) {
        case 1:
            return fatal("Invalid File", "Error: (" + e + ") accessing " + t1 + endApp,
                         "Invalid File!");
        case 2:
            return {"Invalid Key",
                    t1 + " key file is invalid.  Do you want to rebuild the key?",
                    MessageIcon::Question,
                    Button::Yes | Button::No,
                    Button::Yes,
                    "Invalid Key!",
                    Button::No};
        case 3:
            return fatal("Key Rebuild Error", "Error: (" + e + ") repairing key for " + t1 + endApp,
                         "Error Rebuilding Key!");
        case 4:
            return fatal("File Creation Error", "Error: (" + e + ") creating " + t1 + endApp,
                         "File Creation Error!");
        case 5:
            return fatal("File Creation Error",
                         "Error: (" + e + ") opening created file:" + t1 + endApp,
                         "File Creation Error!");
        case 18:
            return {"Record Update Error",
                    "An error was experienced deleting this record.  Do you want to try to save "
                    "again?",
                    MessageIcon::Warning,
                    Button::Yes | Button::No | Button::Cancel,
                    Button::Cancel,
                    {},
                    {}};
        case 25:
            return {"Auto Increment Error",
                    "Attempts to automatically number this record have failed.  Error: " + e + ".",
                    MessageIcon::Warning,
                    Button::Retry | Button::Cancel,
                    Button::Cancel,
                    {},
                    {}};
        case 30:
            return {"File Access Error",
                    "File (" + t1 + ") could not be opened.  Error: " + e + ".",
                    MessageIcon::Warning,
                    Button::Ok,
                    Button::Ok,
                    {},
                    {}};
        case 32:
            return {"Confirm Delete",
                    "You've selected to delete the highlighted record.  Press OK to confirm "
                    "deletion of this record.",
                    MessageIcon::Question,
                    Button::Ok | Button::Cancel,
                    Button::Cancel,
                    {},
                    {}};
        default:
            return {};
    }
}

}  // namespace

std::string errorText(const cdz::ErrorState& error) {
    const bool driver = error.code == cdz::err::kDriverError;
    std::string text = std::string(cdz::clip(driver ? error.driverText : error.text)) + " (" +
                       std::to_string(driver ? error.driverCode : error.code) + ")";
    return std::string(cdz::cutChars(text, 150));
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

Button Messages::warning(int number, const cdz::ErrorState& error, std::string_view text1) {
    const Warning w = compose(number, errorText(error), std::string(cdz::clip(text1)));
    const Button pressed = dialogs().message(w.title, w.text, w.icon, w.buttons, w.defaultButton);
    if (!w.halt.empty() && w.haltOn.has(pressed)) halt(w.halt);
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
