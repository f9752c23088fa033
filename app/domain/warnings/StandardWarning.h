#pragma once
// The one procedure through which the program reports record access, file opening, validation
// and maintenance failures, and the error-saving routine that keeps the cause of a rolled-back
// transaction for the warning that follows.
#include <functional>
#include <string_view>

#include "runtime/data/ErrorState.h"
#include "runtime/ui/Dialogs.h"
#include "runtime/warnings/WarningTable.h"

namespace cdz {

class StandardWarning {
public:
    // stop ends the program with a halt text (it does not return in the program; a test's may).
    // rollback rolls back the open transaction for saveError().
    StandardWarning(Dialogs& dialogs, const ErrorState& current,
                    std::function<void(std::string_view)> stop, std::function<void()> rollback);

    // Shows the warning and returns the button pressed; a halting answer ends the program.
    // Consumes the saved error.
    Button operator()(Warning warning, std::string_view text1 = {}, std::string_view text2 = {});

    // Saves the current error, then rolls back the open transaction.
    void saveError();

    const ErrorState& saved() const { return saved_; }

private:
    Dialogs& dialogs_;
    const ErrorState& current_;
    std::function<void(std::string_view)> stop_;
    std::function<void()> rollback_;
    ErrorState saved_;
};

}  // namespace cdz
