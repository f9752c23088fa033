#pragma once
// The frame's menu bar and toolbar: every menu and item with its caption, accelerator and
// status-bar text, and the seven toolbar buttons with their icons and tips, in their order.
// Each item carries a command for the frame to carry out; each has an objectName (menus
// "menu...", items "act...", toolbar buttons "tool...").
#include <functional>

#include <QString>

class QMainWindow;

namespace cdz {

enum class FrameCommand {
    Start,  // start the procedure named by the argument in a window of its own
    Run,    // run the procedure named by the argument on the frame (modal)
    PrintSetup,
    WebPage,  // open the argument's address in the web browser
    ConvertDosData,
    Exit,
    Cut,
    Copy,
    Paste,
    Tile,
    Cascade,
    ArrangeIcons,
    HelpContents,
    HelpSearch,
    HelpHowTo,
};

class FrameMenus {
public:
    using Handler = std::function<void(FrameCommand command, const QString& argument)>;

    static void build(QMainWindow& frame, const Handler& handler);
};

}  // namespace cdz
