#include "app/core/startup/HeadlessState.h"

#include <filesystem>
#include <system_error>

#include "app/core/AppState.h"
#include "app/core/settings/ServerSetting.h"
#include "runtime/ui/ScriptedDialogs.h"

namespace cdz {

std::unique_ptr<AppState> headlessState(const std::string& folder, std::FILE* err, int argc,
                                        char** argv) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        std::fprintf(err, "cdzapp: the data folder %s does not exist\n", folder.c_str());
        return nullptr;
    }
    OnServer server;
    std::string why;
    if (!ServerSetting::fromArguments(argc, argv, folder, &server, &why)) {
        std::fprintf(err, "cdzapp: %s\n", why.c_str());
        return nullptr;
    }
    auto state = std::make_unique<AppState>(std::filesystem::absolute(folder),
                                            std::make_unique<ScriptedDialogs>(),
                                            AppState::HaltHandler{}, std::move(server));
    state->readSettings();
    return state;
}

}  // namespace cdz
