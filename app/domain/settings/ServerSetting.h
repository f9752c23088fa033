#pragma once
// Where the catalogue lives: on a database server when the command line names one (--server
// URL, --catalogue NAME) or the settings file does (Server= and ServerCatalogue= in section
// "Settings"), else in the data files of the data folder. The password of a server is never
// kept in the settings file: the server's own authentication or the user's ~/.pgpass gives it.
#include <filesystem>
#include <string>

#include "runtime/data/Database.h"

namespace cdz {

class ServerSetting {
public:
    static constexpr const char* kSection = "Settings";
    static constexpr const char* kServerKey = "Server";
    static constexpr const char* kCatalogueKey = "ServerCatalogue";

    // The choice for the data folder `folder`, the options winning over the settings file.
    // False, with the reason in `why`, when the settings file's server holds a password or the
    // catalogue's name cannot be used.
    static bool choose(const std::filesystem::path& folder, const std::string& serverOption,
                       const std::string& catalogueOption, OnServer* server, std::string* why);

    // The server's names of a catalogue's files are made of its name: letters, digits and
    // underscores only (others would be taken for an underscore, so "a b" and "a-b" would be
    // one catalogue), in either case, and short enough for the server's names.
    static constexpr size_t kLongestCatalogueName = 40;
    // Why `name` cannot name a catalogue; empty when it can.
    static std::string catalogueNameFault(const std::string& name);

    // Whether a connection string or URL carries a password.
    static bool holdsPassword(const std::string& conninfo);
    // Which catalogue is open, for the status bar: the folder, or the server (its password
    // left out) and the catalogue's name.
    static std::string describe(const std::filesystem::path& folder, const OnServer& server);
};

}  // namespace cdz
