#pragma once
// The library's own messages: the standard warnings it needs (file opening, auto numbering,
// delete confirmation and retry), in the words of the runtime's one warnings table, and plain
// message boxes, shown through the host's dialog facade, and the halt that ends the program
// after a fatal store error.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "querykit/querykit.h"
#include "runtime/data/ErrorState.h"
#include "runtime/ui/Dialogs.h"
#include "runtime/warnings/WarningTable.h"

namespace qk {

class QUERYKIT_API Messages {
public:
    using Halt = std::function<void(std::string_view text)>;

    Messages() = default;
    ~Messages();
    Messages(const Messages&) = delete;
    Messages& operator=(const Messages&) = delete;

    // The facade to use; nullptr goes back to the library's own (made from the environment
    // on first need).
    void setDialogs(cdz::Dialogs* dialogs) { hostDialogs_ = dialogs; }
    void setHaltHandler(Halt halt) { halt_ = std::move(halt); }
    cdz::Dialogs& dialogs();

    // Standard warning `number` (1 to 38) with `error` as its [error] and text1 (a table
    // label) where the words take one. Returns the button pressed; the fatal
    // ones halt (and, when the halt handler returns, give the button back).
    cdz::Button warning(cdz::Warning warning, const cdz::ErrorState& error,
                        std::string_view text1 = {});

    // A plain warning box with an OK button.
    void show(std::string_view title, std::string_view text);

    // Shows the halt text and ends the program through the handler (or exits).
    void halt(std::string_view text);

private:
    cdz::Dialogs* hostDialogs_ = nullptr;
    std::unique_ptr<cdz::Dialogs> ownDialogs_;
    Halt halt_;
};

// The [error] of a standard warning: the runtime text and code, or for code 90 the driver's
// text and code, at most 150 characters.
QUERYKIT_API std::string errorText(const cdz::ErrorState& error);

}  // namespace qk
