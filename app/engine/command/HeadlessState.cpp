#include "app/engine/command/HeadlessState.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "app/domain/data/Catalogue.h"
#include "app/domain/opening/MediaSeed.h"
#include "app/domain/settings/ServerSetting.h"
#include "app/engine/command/DataFolder.h"
#include "app/engine/state/AppState.h"
#include "runtime/data/DataFile.h"
#include "runtime/process/CommandOptions.h"
#include "runtime/ui/ScriptedDialogs.h"

namespace cdz {
namespace {

// A message's lines joined, so that one message is one line of a command's error output.
std::string oneLine(std::string_view text) {
    std::string line;
    for (const char c : text) {
        if (c != '\r') line += c == '\n' ? ' ' : c;
    }
    return line;
}

// A command has no window to show a warning in (a file that is not the program's, a server
// that does not answer): each message takes its default answer and its words go to the
// command's error output.
class HeadlessDialogs final : public Dialogs {
public:
    explicit HeadlessDialogs(std::FILE* err) : err_(err) {}

    Button message(std::string_view title, std::string_view text, MessageIcon icon, Buttons buttons,
                   Button defaultButton) override {
        std::fprintf(err_, "cdzapp: %s: %s\n", oneLine(title).c_str(), oneLine(text).c_str());
        return scripted_.message(title, text, icon, buttons, defaultButton);
    }
    std::optional<std::string> openFile(std::string_view title, std::string_view filterList,
                                        std::string_view startPath) override {
        return scripted_.openFile(title, filterList, startPath);
    }
    std::optional<std::string> saveFile(std::string_view title, std::string_view filterList,
                                        std::string_view startPath) override {
        return scripted_.saveFile(title, filterList, startPath);
    }
    std::optional<std::string> chooseFolder(std::string_view title,
                                            std::string_view startPath) override {
        return scripted_.chooseFolder(title, startPath);
    }
    std::optional<FontChoice> font(std::string_view title, const FontChoice& initial) override {
        return scripted_.font(title, initial);
    }
    std::optional<Colour> colour(std::string_view title, Colour initial) override {
        return scripted_.colour(title, initial);
    }
    int popup(std::string_view text) override { return scripted_.popup(text); }
    void halt(std::string_view text) override {
        std::fprintf(err_, "cdzapp: %s\n", oneLine(text).c_str());
        scripted_.halt(text);
    }

private:
    std::FILE* err_;
    ScriptedDialogs scripted_;
};

// The songs file tells whether the catalogue is there: false, with the reason on `err`, when it
// is not or the server cannot say.
bool catalogueThere(AppState& state, std::FILE* err) {
    DataFile& songs = state.catalogue().file(CatalogueFile::Cadenzio);
    const int code = songs.open(access::kSharedRead);
    if (code == 0) {
        songs.close();
        return true;
    }
    const std::string where = ServerSetting::describe(state.dataFolder(), state.server());
    if (code == err::kFileNotFound) {
        const OnServer server{state.server().conninfo, {}};
        std::fprintf(err, "cdzapp: there is no catalogue \"%s\" on %s; nothing was done\n",
                     state.server().catalogue.c_str(),
                     ServerSetting::describe(state.dataFolder(), server).c_str());
    } else {
        const ErrorState& e = songs.error();
        std::fprintf(err, "cdzapp: the catalogue %s could not be opened: %s\n", where.c_str(),
                     (e.driverText.empty() ? e.text : e.driverText).c_str());
    }
    return false;
}

}  // namespace

std::optional<CatalogueChoice> chooseCatalogue(const CommandOptions& options,
                                               const std::string& folder, std::FILE* err) {
    std::optional<DataFolderChoice> data = chooseDataFolder(options, folder, err);
    if (!data) return std::nullopt;
    if (!data->note.empty()) std::fprintf(err, "cdzapp: %s\n", data->note.c_str());
    CatalogueChoice choice{std::move(data->folder), {}, std::move(data->note)};
    std::error_code ec;
    if (!std::filesystem::exists(choice.folder, ec)) {
        std::fprintf(err, "cdzapp: the data folder %s does not exist\n", choice.folder.c_str());
        return std::nullopt;
    }
    if (!std::filesystem::is_directory(choice.folder, ec)) {
        std::fprintf(err,
                     "cdzapp: %s is not a folder (--data-dir names the folder that holds the data "
                     "files)\n",
                     choice.folder.c_str());
        return std::nullopt;
    }
    std::string why;
    if (!ServerSetting::choose(choice.folder, options.value("server"), options.value("catalogue"),
                               &choice.server, &why)) {
        std::fprintf(err, "cdzapp: %s\n", why.c_str());
        return std::nullopt;
    }
    return choice;
}

std::unique_ptr<AppState> headlessState(const CommandOptions& options, std::FILE* err,
                                        bool mayCreate) {
    std::optional<CatalogueChoice> choice = chooseCatalogue(options, ".", err);
    if (!choice) return nullptr;
    auto state = std::make_unique<AppState>(std::filesystem::absolute(choice->folder),
                                            std::make_unique<HeadlessDialogs>(err),
                                            AppState::HaltHandler{}, std::move(choice->server));
    state->readSettings();
    if (!state->server().conninfo.empty() && !mayCreate && !catalogueThere(*state, err))
        return nullptr;
    // A catalogue a command makes (an import into an empty folder) starts with the standard
    // media names, as one the main window makes does.
    Catalogue& catalogue = state->catalogue();
    if (const FileUse media(catalogue, {CatalogueFile::Media}); media.ok())
        MediaSeed::seedIfEmpty(catalogue.file(CatalogueFile::Media), catalogue.media());
    return state;
}

}  // namespace cdz
