#include "app/domain/warnings/StandardWarning.h"

#include <utility>

namespace cdz {

StandardWarning::StandardWarning(Dialogs& dialogs, const ErrorState& current,
                                 std::function<void(std::string_view)> stop,
                                 std::function<void()> rollback)
    : dialogs_(dialogs),
      current_(current),
      stop_(std::move(stop)),
      rollback_(std::move(rollback)) {}

Button StandardWarning::operator()(Warning warning, std::string_view text1,
                                   std::string_view text2) {
    const int number = static_cast<int>(warning);
    const std::string errorText = composeErrorText(saved_, current_);
    const int codeInForce = saved_.code != 0 ? saved_.code : current_.code;
    saved_.clear();  // consumed, whatever the warning

    const WarningMessage m = warningMessage(number, text1, text2, errorText, codeInForce);
    const Button pressed = dialogs_.message(m.title, m.text, m.icon, m.buttons, m.defaultButton);
    if (!m.haltText.empty() && m.haltOn.has(pressed) && stop_) stop_(m.haltText);
    return pressed;
}

void StandardWarning::saveError() {
    saved_ = current_;
    if (rollback_) rollback_();
}

}  // namespace cdz
