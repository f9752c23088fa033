#include "app/shell/startup/StartupRepair.h"

#include <filesystem>
#include <fstream>

#include "app/domain/opening/BadFileMarker.h"
#include "app/domain/repair/FixAction.h"
#include "runtime/data/DataFile.h"
#include "runtime/filemgr/FileRegistry.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {

StartupRepair::StartupRepair(Dialogs& dialogs, FileRegistry& registry, BadFileMarker& marker,
                             FixAction& fix)
    : dialogs_(dialogs), registry_(registry), marker_(marker), fix_(fix) {}

namespace {

// Whether `file` is what a start killed while making it for the first time leaves: no file, or
// an empty one whose journal (if any) is of a file that had no page before.
bool neverMade(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return !ec;
    if (std::filesystem::file_size(file, ec) != 0 || ec) return false;
    const std::filesystem::path journal = file.string() + "-journal";
    if (std::filesystem::exists(journal, ec)) {
        // The journal's header keeps the file's size in pages before the change, at byte 16.
        std::ifstream in(journal, std::ios::binary);
        unsigned char header[20] = {};
        if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return false;
        if (header[16] | header[17] | header[18] | header[19]) return false;
    }
    std::filesystem::remove(journal, ec);
    std::filesystem::remove(file, ec);
    return !ec;
}

}  // namespace

StartupRepair::Outcome StartupRepair::operator()(const std::string& marked) {
    // A start killed while it made a file for the first time leaves the name and no file, or an
    // empty one: there is nothing to repair, and the open makes the file afresh.
    // A file the repair program cannot salvage (on the server) is not its: an open that timed out
    // or was killed there left nothing half written (the server rolls back what its connection
    // left).
    if (const RegisteredFile* file = registry_.find(marked);
        file && file->file &&
        (!file->file->database().has(StorageFeature::PageSalvage) ||
         neverMade(file->file->path()))) {
        marker_.clear();
        return Outcome::Continue;
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
