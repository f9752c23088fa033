#pragma once
// The buttons and icons of a message box, numbered as the program's callers and the standard
// warnings expect: a message returns the code of the button pressed.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cdz {

enum class Button : int {
    None = 0,
    Ok = 1,
    Yes = 2,
    No = 4,
    Abort = 8,
    Retry = 16,
    Ignore = 32,
    Cancel = 64,
};

// A set of buttons (their codes or-ed together).
class Buttons {
public:
    constexpr Buttons() = default;
    constexpr Buttons(Button b) : bits_(static_cast<int>(b)) {}  // NOLINT: a button is a set
    static constexpr Buttons fromBits(int bits) { return Buttons(bits & kAll); }

    constexpr int bits() const { return bits_; }
    constexpr bool has(Button b) const {
        return b != Button::None && (bits_ & static_cast<int>(b)) != 0;
    }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr Buttons operator|(Buttons o) const { return Buttons(bits_ | o.bits_); }
    constexpr bool operator==(const Buttons&) const = default;

    // The buttons in the order a box shows them (by code).
    std::vector<Button> list() const;

private:
    static constexpr int kAll = 127;
    constexpr explicit Buttons(int bits) : bits_(bits) {}
    int bits_ = 0;
};

constexpr Buttons operator|(Button a, Button b) {
    return Buttons(a) | Buttons(b);
}

enum class MessageIcon { None, Warning, Question, Information, Error };

// A box always has a button to close it: none asked for means OK.
Buttons shownButtons(Buttons asked);
// The button Enter presses: the asked default when it is shown, else the first shown.
Button effectiveDefault(Buttons asked, Button defaultButton);
// The button Escape (or closing the box) presses: Cancel when shown, else Abort, else No, else
// the only button; with none of these, the Enter button.
Button escapeButton(Buttons asked, Button defaultButton);

// "OK", "Yes", "No", "Abort", "Retry", "Ignore", "Cancel"; "" for None.
std::string_view buttonName(Button b);
// A name as above (any case) or a button's code; nullopt for anything else.
std::optional<Button> buttonFromName(std::string_view name);

// "none", "warning", "question", "information", "error".
std::string_view iconName(MessageIcon icon);

}  // namespace cdz
