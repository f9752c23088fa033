#pragma once
// File > "&Convert Dos Data": launches the separate conversion program SONG.EXE that carries
// the DOS version's data over, without waiting for it to finish.
#include <filesystem>

#include <QString>

namespace cdz {

class Dialogs;

class DosConversion {
public:
    static constexpr const char* kProgram = "SONG.EXE";

    // Where SONG.EXE is: the data folder first, then the program's own folder (the name
    // matched without regard to case, as copied from a DOS disk), then the search path.
    // Empty when it is nowhere.
    static QString locate(const std::filesystem::path& dataFolder);

    // Starts it in the data folder. When it is missing or will not start, says so and why.
    static bool launch(Dialogs& dialogs, const std::filesystem::path& dataFolder);
};

}  // namespace cdz
