#include "app/engine/command/DataFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

#include "runtime/process/CommandOptions.h"

namespace cdz {
namespace {

constexpr const char* kFolderName = "cadenzio";
// The files that tell a folder holds a catalogue or the program's settings.
constexpr const char* kCatalogueMarks[] = {"cdzdata.tps", "CDZSETS.INI"};

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// $HOME, else the account's home folder, as the XDG rules and the C library know it.
std::string homeFolder() {
    std::string home = variable("HOME");
    if (!home.empty()) return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir)
        home = found->pw_dir;
    return home;
}

// Makes the folder and each missing folder above it with access for the user alone, as the
// XDG rules ask of folders made to write into; folders already there are left as they are.
// True when `folder` was made.
bool makePrivateFolders(const std::filesystem::path& folder, std::error_code& ec) {
    std::vector<std::filesystem::path> missing;
    for (std::filesystem::path p = folder; !p.empty(); p = p.parent_path()) {
        if (std::filesystem::exists(p, ec) || ec) break;
        missing.push_back(p);
        if (p == p.parent_path()) break;
    }
    if (ec) return false;
    for (auto p = missing.rbegin(); p != missing.rend(); ++p) {
        if (!std::filesystem::create_directory(*p, ec) || ec) return false;
        std::filesystem::permissions(*p, std::filesystem::perms::owner_all, ec);
        if (ec) return false;
    }
    return !missing.empty();
}

bool holdsCatalogue(const std::filesystem::path& folder) {
    std::error_code ec;
    for (const char* mark : kCatalogueMarks) {
        if (std::filesystem::exists(folder / mark, ec)) return true;
    }
    return false;
}

}  // namespace

std::filesystem::path desktopDataFolder(std::string_view xdgDataHome, std::string_view home) {
    const std::filesystem::path xdg(xdgDataHome);
    if (xdg.is_absolute()) return xdg / kFolderName;
    const std::filesystem::path homePath(home);
    if (!homePath.is_absolute()) return {};
    return homePath / ".local" / "share" / kFolderName;
}

std::optional<DataFolderChoice> chooseDataFolder(const CommandOptions& options,
                                                 const std::string& current, std::FILE* err) {
    if (options.has("data-dir") || !options.has("desktop"))
        return DataFolderChoice{options.valueOr("data-dir", current), {}};
    DataFolderChoice choice{desktopDataFolder(variable("XDG_DATA_HOME"), homeFolder()), {}};
    if (choice.folder.empty()) {
        std::fprintf(err,
                     "cdzapp: there is no home folder to keep the data files in; set HOME or "
                     "XDG_DATA_HOME, or name the folder with --data-dir\n");
        return std::nullopt;
    }
    std::error_code ec;
    const bool made = makePrivateFolders(choice.folder, ec);
    if (ec) {
        std::fprintf(err, "cdzapp: the data folder %s could not be made: %s\n",
                     choice.folder.c_str(), ec.message().c_str());
        return std::nullopt;
    }
    if (made && holdsCatalogue(current) &&
        !std::filesystem::equivalent(current, choice.folder, ec)) {
        choice.note = "This program now keeps its catalogue in " + choice.folder.string() +
                      ". The catalogue in " + current +
                      " stays where it is: to open it, start cdzapp --data-dir " + current +
                      ", or move its files into " + choice.folder.string() + ".";
    }
    return choice;
}

}  // namespace cdz
