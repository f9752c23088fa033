#pragma once
// The dialog facade: every message box, file, font and colour dialog and popup menu of the
// program goes through one of these, so the application shows Qt dialogs while tests and
// whole-program runs answer them from a script and check exactly what was asked.
// The owner (the program's process state, or a test) creates the facade and passes it on.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/ui/Colour.h"
#include "runtime/ui/DialogRecord.h"
#include "runtime/ui/FontChoice.h"
#include "runtime/ui/MessageButtons.h"

namespace cdz {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A modal message box; "|" in text starts a new line. Returns the button pressed, which is
    // always one of the buttons shown (OK when none were asked for).
    virtual Button message(std::string_view title, std::string_view text, MessageIcon icon,
                           Buttons buttons, Button defaultButton) = 0;

    // File dialogs. filterList pairs names and patterns with "|", e.g.
    // "Import Files|*.CSV|All Files|*.*"; patterns match regardless of case. startPath is a
    // folder or a file (whose folder is shown, the file selected). nullopt when cancelled.
    virtual std::optional<std::string> openFile(std::string_view title, std::string_view filterList,
                                                std::string_view startPath) = 0;
    virtual std::optional<std::string> saveFile(std::string_view title, std::string_view filterList,
                                                std::string_view startPath) = 0;
    // An existing folder chosen, startPath shown first; nullopt when cancelled.
    virtual std::optional<std::string> chooseFolder(std::string_view title,
                                                    std::string_view startPath) = 0;

    // Font dialog with colour; nullopt when cancelled.
    virtual std::optional<FontChoice> font(std::string_view title, const FontChoice& initial) = 0;
    // Colour dialog; nullopt when cancelled.
    virtual std::optional<Colour> colour(std::string_view title, Colour initial) = 0;

    // A popup menu at the mouse from "|"-separated items (see PopupMenuText.h). Returns the
    // chosen item's number counted without separators, 0 when nothing was chosen.
    virtual int popup(std::string_view text) = 0;

    // The program is about to end with this halt text: show it (ending is the caller's job).
    virtual void halt(std::string_view text) = 0;

    // The program is being ended from outside (SIGTERM): every dialog that is open closes as
    // Escape would close it (Cancel where the box shows one, else No, else its only button; a
    // file, font or colour dialog is cancelled, a popup chooses nothing), and every later one
    // is answered so at once without being shown.
    virtual void endAll() {}

    // Told of each dialog that now waits for a person to answer it (a scripted answer does not
    // wait), before it waits; `answer` is empty. The dialog log writes it down, so that a run
    // that hangs shows what it waits on.
    using ShownHandler = std::function<void(const DialogRecord& dialog)>;
    void setShownHandler(ShownHandler handler) { shownHandler_ = std::move(handler); }

protected:
    void shown(const DialogRecord& dialog) const {
        if (shownHandler_) shownHandler_(dialog);
    }

private:
    ShownHandler shownHandler_;
};

}  // namespace cdz
