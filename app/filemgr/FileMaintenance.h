#pragma once
// The file manager's actions on the registered data files, without the window: Build (every
// key rebuilt), Pack (no deleted space left), Release (no record held), Fix (the repair
// program) and Info (layout, record count, size, and whether the file checks out). Build, Pack,
// Release and Fix need the file to themselves: a file this program holds open is reported as
// busy, and one another station holds is refused by the exclusive open; neither is forced.
#include <string>
#include <vector>

#include "runtime/filemgr/FileRegistry.h"

namespace cdz {

class Dialogs;
class RepairProgram;

enum class FileAction { Build, Pack, Release, Fix, Info };

struct FileRow {
    const RegisteredFile* file = nullptr;
    std::string records;  // "" until counted
    bool tagged = false;
};

class FileMaintenance {
public:
    static constexpr std::string_view kAccessTitle = "File Access Error";
    static constexpr std::string_view kAccessText =
        "This option requires exclusive file access.|Please ensure no other users are in the "
        "system. |An error occured trying to open the file : ";
    static constexpr std::string_view kInfoTitle = "File Information";

    FileMaintenance(Dialogs& dialogs, FileRegistry& registry, RepairProgram& repair);

    // One row per registered file, by label.
    std::vector<FileRow> rows() const;

    // Runs the action on the row's file and refreshes its record count; false when the file
    // was skipped or the action failed (the user has been told why).
    bool run(FileAction action, FileRow& row);

    // The row's record count read again ("" when the file cannot be read).
    void count(FileRow& row);

    // What Info tells of a file: its layout, records, size and check, in lines.
    std::string info(const RegisteredFile& file);

private:
    bool openAlone(DataFile& file);
    bool release(DataFile& file);
    void failed(const RegisteredFile& file, std::string_view what);

    Dialogs& dialogs_;
    FileRegistry& registry_;
    RepairProgram& repair_;
};

}  // namespace cdz
