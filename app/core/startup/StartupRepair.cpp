#include "app/core/startup/StartupRepair.h"

#include <filesystem>

#include "app/core/filemgr/FixAction.h"
#include "app/core/startup/BadFileMarker.h"
#include "runtime/data/DataFile.h"
#include "runtime/filemgr/FileRegistry.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {

StartupRepair::StartupRepair(Dialogs& dialogs, FileRegistry& registry, BadFileMarker& marker,
                             FixAction& fix)
    : dialogs_(dialogs), registry_(registry), marker_(marker), fix_(fix) {}

StartupRepair::Outcome StartupRepair::operator()(const std::string& marked) {
    // A start killed while it made a file for the first time leaves the name and no file:
    // there is nothing to repair, and the open makes the file afresh.
    if (const RegisteredFile* file = registry_.find(marked);
        file && file->file && !file->file->database().server()) {
        std::error_code ec;
        if (!std::filesystem::exists(file->file->path(), ec) && !ec) {
            marker_.clear();
            return Outcome::Continue;
        }
    }
    const std::string question =
        "Warning : The program may have crashed attempting to open the file " + marked +
        ". Do you wish to have the program attempt " + "to fix the file ? ";
    if (dialogs_.message("Warning", question, MessageIcon::Information, Button::Yes | Button::No,
                         Button::Yes) != Button::Yes) {
        return Outcome::Continue;  // the marker stays until the file next opens
    }
    dialogs_.message("Information",
                     "This program needs to close while the Fix Utility attempts to fix the "
                     "file. When the fix program finishes running you can run this application "
                     "again.",
                     MessageIcon::Information, Button::Ok, Button::Ok);
    if (const RegisteredFile* file = registry_.find(marked)) {
        fix_(*file);
    } else {
        // A name no registered file has cannot be repaired; keeping it would ask at every start.
        dialogs_.message("Error",
                         "The file " + marked +
                             " is not one of this program's data files, so it cannot be fixed.",
                         MessageIcon::Error, Button::Ok, Button::Ok);
    }
    marker_.clear();
    return Outcome::End;
}

}  // namespace cdz
