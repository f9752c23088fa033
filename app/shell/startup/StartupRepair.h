#pragma once
// The repair offered at start-up when the previous run died while opening a data file (the
// bad-file marker still names it): No goes on to the frame; Yes runs Fix on that file, clears
// the marker and ends the program.
#include <string>

namespace cdz {

class BadFileMarker;
class Dialogs;
class FileRegistry;
class FixAction;

class StartupRepair {
public:
    enum class Outcome { Continue, End };

    StartupRepair(Dialogs& dialogs, FileRegistry& registry, BadFileMarker& marker, FixAction& fix);

    // `marked` is the marker's value (not empty).
    Outcome operator()(const std::string& marked);

private:
    Dialogs& dialogs_;
    FileRegistry& registry_;
    BadFileMarker& marker_;
    FixAction& fix_;
};

}  // namespace cdz
