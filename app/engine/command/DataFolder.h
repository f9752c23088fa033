#pragma once
// Where the program keeps its data files: the folder --data-dir names; for a start from the
// desktop's menu (--desktop) the desktop's data folder, $XDG_DATA_HOME/cadenzio, made on the
// first start; else the folder it runs in, as from a terminal.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace cdz {

class CommandOptions;

// $XDG_DATA_HOME/cadenzio when that variable is an absolute path (the XDG base directory rules
// ignore a relative one), else `home`/.local/share/cadenzio; empty when `home` is not absolute.
std::filesystem::path desktopDataFolder(std::string_view xdgDataHome, std::string_view home);

struct DataFolderChoice {
    std::filesystem::path folder;
    // Set when the desktop's folder was made although `current` holds a catalogue: that one
    // stays where it is, and the user is told how to reach it.
    std::string note;
};

// The folder the options name (--data-dir wins over --desktop), else `current`. nullopt, with
// the reason on `err`, when the desktop's folder cannot be found or made.
std::optional<DataFolderChoice> chooseDataFolder(const CommandOptions& options,
                                                 const std::string& current, std::FILE* err);

}  // namespace cdz
