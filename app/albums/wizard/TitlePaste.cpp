#include "app/albums/wizard/TitlePaste.h"

#include <QClipboard>
#include <QGuiApplication>

#include "app/albums/wizard/PastedTitles.h"
#include "app/engine/state/AppState.h"

namespace cdz {

namespace {
constexpr const char* kTitle = "Paste titles";
}

bool TitlePaste::fromClipboard(AppState& state, const Write& write) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return fromText(state, clipboard ? clipboard->text().toStdString() : std::string(), write);
}

bool TitlePaste::fromText(AppState& state, std::string_view text, const Write& write) {
    const PastedTitles pasted(text);
    if (pasted.titles().empty()) {
        state.dialogs().message(kTitle,
                                "The clipboard holds no lines to use as titles. Copy the track "
                                "list, one title a line, and paste again.",
                                MessageIcon::Warning, Button::Ok, Button::Ok);
        return false;
    }
    int tracks = 0;
    if (write(pasted.titles(), tracks) != 0) {
        state.dialogs().message(
            "Error",
            "The titles could not be written (" + state.error().text + "). No title was changed.",
            MessageIcon::Error, Button::Ok, Button::Ok);
        return false;
    }
    if (tracks == 0) {
        state.dialogs().message(kTitle,
                                "There are no tracks to title yet: read the disc or add the "
                                "tracks first.",
                                MessageIcon::Warning, Button::Ok, Button::Ok);
        return false;
    }
    state.dialogs().message(kTitle, pasted.report(tracks), MessageIcon::Information, Button::Ok,
                            Button::Ok);
    return true;
}

}  // namespace cdz
