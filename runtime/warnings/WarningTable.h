#pragma once
// The standard warnings: the fixed words, icon, buttons and halt of every numbered message about
// files and records, one table for the program and the query wizard library alike. Composition
// only; each shows them through its own entry point (the program's standard warning, the
// library's messages).
#include <string>
#include <string_view>

#include "runtime/data/ErrorState.h"
#include "runtime/ui/MessageButtons.h"

namespace cdz {

struct WarningMessage {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Warning;
    Buttons buttons = Button::Ok;
    Button defaultButton = Button::Ok;
    // When the button pressed is in haltOn, the program ends with haltText.
    std::string haltText;
    Buttons haltOn;
};

constexpr int kFirstWarning = 1;
constexpr int kLastWarning = 38;

// The error text of a message, at most 150 characters: the saved error when one is saved, else
// the current one; code 90 shows the driver's own text and code instead of the runtime's.
std::string composeErrorText(const ErrorState& saved, const ErrorState& current);

// The message of warning `number` (1 to 38) with its texts. errorText is the composed error
// text; codeInForce the saved error code, else the current one (warning 15 words itself by it).
// An unknown number gives an empty title and text.
WarningMessage warningMessage(int number, std::string_view text1, std::string_view text2,
                              std::string_view errorText, int codeInForce);

}  // namespace cdz
