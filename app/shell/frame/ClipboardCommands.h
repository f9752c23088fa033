#pragma once
// The Edit menu's Cut, Copy and Paste, applied to whichever control has the keyboard focus.
class QWidget;

namespace cdz {

enum class ClipboardAction { Cut, Copy, Paste };

class ClipboardCommands {
public:
    // Text controls cut, copy and paste their selection; a list copies its current item's
    // text. A read-only control only copies. False when the control has nothing to do.
    static bool apply(QWidget* focused, ClipboardAction action);
};

}  // namespace cdz
