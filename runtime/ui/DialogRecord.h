#pragma once
// One dialog as it was shown and answered: what the scripted facade keeps for a test's
// assertions and what the dialog log writes, one JSON line each.
#include <string>
#include <string_view>

#include "runtime/ui/MessageButtons.h"

class QJsonObject;

namespace cdz {

enum class DialogKind { Message, OpenFile, SaveFile, Font, Colour, Popup, Halt, Folder };

// "message", "openFile", "saveFile", "font", "colour", "popup", "halt", "folder".
std::string_view dialogKindName(DialogKind kind);

struct DialogRecord {
    DialogKind kind = DialogKind::Message;
    std::string title;
    // The message text as given ("|" kept), the filter list of a file dialog, the popup text or
    // the halt text.
    std::string text;
    MessageIcon icon = MessageIcon::None;
    Buttons buttons;  // as asked
    Button defaultButton = Button::None;
    // A file dialog's start path, or the preset font or colour, in answer-file form.
    std::string initial;
    // The answer in answer-file form: a button name, a path, an item number, a font or colour;
    // empty when a file, font or colour dialog was cancelled.
    std::string answer;

    bool operator==(const DialogRecord&) const = default;

    // One line of JSON (no line break inside) with the keys kind, title, text, icon, buttons
    // (an array of button names), default (a name, "" for none), initial and answer.
    std::string toJson() const;
    // The line of a dialog that is up and waiting for its answer: the keys of toJson, with
    // "shown": true in place of "answer".
    std::string toShownJson() const;

private:
    QJsonObject toJsonObject() const;
};

}  // namespace cdz
