#include "app/shell/startup/CopyCommand.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/domain/settings/ServerSetting.h"
#include "app/shell/startup/CatalogueCopy.h"
#include "runtime/process/CommandOptions.h"

namespace cdz {
namespace {

// Copies the catalogue of the data folder onto the server `toServer` names, or the one on the
// server `fromServer` names into the folder.
int copy(const CommandOptions& options, bool toServer, std::FILE* out, std::FILE* err) {
    const std::string folder = options.valueOr("data-dir", ".");
    const std::string catalogue = options.value("catalogue");
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        std::fprintf(err, "cdzapp: the data folder %s does not exist\n", folder.c_str());
        return CopyCommand::kWrongOrder;
    }
    if (const std::string fault = ServerSetting::catalogueNameFault(catalogue); !fault.empty()) {
        std::fprintf(err, "cdzapp: %s\n", fault.c_str());
        return CopyCommand::kWrongOrder;
    }
    const OnServer server{options.value(toServer ? "copy-to-server" : "copy-from-server"),
                          catalogue};
    const std::filesystem::path where = std::filesystem::absolute(folder);
    CatalogueCopy copy(where, toServer ? OnServer{} : server, toServer ? server : OnServer{});
    const std::string source = toServer ? where.string() : ServerSetting::describe(where, server);
    const std::string target = toServer ? ServerSetting::describe(where, server) : where.string();
    if (copy.run()) {
        std::fprintf(err, "cdzapp: nothing was copied from %s to %s: %s\n", source.c_str(),
                     target.c_str(), copy.why().c_str());
        return CopyCommand::kFailed;
    }
    int64_t records = 0;
    for (const auto& c : copy.copied()) {
        std::fprintf(out, "%s: %lld records\n", c.file.c_str(), static_cast<long long>(c.records));
        records += c.records;
    }
    std::fprintf(out, "%lld records of %zu files copied from %s to %s\n",
                 static_cast<long long>(records), copy.copied().size(), source.c_str(),
                 target.c_str());
    return CopyCommand::kDone;
}

int copyToServer(const CommandOptions& options, std::FILE* out, std::FILE* err) {
    return copy(options, true, out, err);
}

int copyFromServer(const CommandOptions& options, std::FILE* out, std::FILE* err) {
    return copy(options, false, out, err);
}

}  // namespace

HeadlessCommand CopyCommand::toServerCommand() {
    return {.trigger = {.name = "copy-to-server",
                        .valueName = "url",
                        .help = "Copy the data folder's catalogue (its data files and saved "
                                "queries) onto the server <url> (under --catalogue's name) in one "
                                "transaction, and exit; the server must hold none of it yet."},
            .needs = CommandNeeds::CoreApplication,
            .run = &copyToServer};
}

HeadlessCommand CopyCommand::fromServerCommand() {
    return {.trigger = {.name = "copy-from-server",
                        .valueName = "url",
                        .help = "Copy the catalogue on the server <url> into the data folder's "
                                "files, and exit; the folder must hold none of it yet."},
            .needs = CommandNeeds::CoreApplication,
            .run = &copyFromServer};
}

}  // namespace cdz
