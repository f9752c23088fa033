#pragma once
// The program's state for a command that runs without windows (printing to PDF, importing,
// exporting): over the data folder given, with dialogs that no one answers (each takes its
// default) and the settings read.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/domain/settings/ServerSetting.h"

namespace cdz {

class AppState;
class CommandOptions;

// Where the catalogue is, as the options say: the data folder (--data-dir, --desktop, else
// `folder`; see DataFolder.h) and the server (--server, --catalogue, else the folder's
// settings), for a command and for the windowed program alike. nullopt, with the reason on
// `err`, when the folder cannot be made or hold data files, or the server setting is refused.
struct CatalogueChoice {
    std::filesystem::path folder;
    OnServer server;
    std::string note;  // what the user is told of a catalogue left in `folder` (DataFolder.h)
};
std::optional<CatalogueChoice> chooseCatalogue(const CommandOptions& options,
                                               const std::string& folder, std::FILE* err);

// nullptr, with the reason on `err`, when the data folder (--data-dir, else the current one)
// does not exist or the server setting is refused. The catalogue is on the server the options
// (--server, --catalogue) or the folder's settings name, if any; there, unless `mayCreate`, it must
// exist already (a mistyped name is told, never made into a new empty catalogue), and a server that
// does not answer is told before the command starts.
std::unique_ptr<AppState> headlessState(const CommandOptions& options, std::FILE* err,
                                        bool mayCreate = false);

}  // namespace cdz
