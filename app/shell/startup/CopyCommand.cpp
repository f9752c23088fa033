#include "app/shell/startup/CopyCommand.h"

#include <QCoreApplication>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/domain/settings/ServerSetting.h"
#include "app/shell/startup/CatalogueCopy.h"
#include "runtime/process/CommandOptions.h"

namespace cdz {

std::optional<int> CopyCommand::runFromArguments(int argc, char** argv) {
    std::string toServer, fromServer, catalogue, folder = ".";
    bool toAsked = false, fromAsked = false;
    if (!readCommandOptions(argc, argv,
                            {{"--copy-to-server", &toServer, &toAsked},
                             {"--copy-from-server", &fromServer, &fromAsked},
                             {"--catalogue", &catalogue},
                             {"--data-dir", &folder}},
                            stderr)) {
        return kWrongOrder;
    }
    if (!toAsked && !fromAsked) return std::nullopt;
    if (toAsked && fromAsked) {
        std::fprintf(stderr, "cdzapp: give either --copy-to-server or --copy-from-server\n");
        return kWrongOrder;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        std::fprintf(stderr, "cdzapp: the data folder %s does not exist\n", folder.c_str());
        return kWrongOrder;
    }
    if (const std::string fault = ServerSetting::catalogueNameFault(catalogue); !fault.empty()) {
        std::fprintf(stderr, "cdzapp: %s\n", fault.c_str());
        return kWrongOrder;
    }
    QCoreApplication app(argc, argv);
    const OnServer server{toAsked ? toServer : fromServer, catalogue};
    const std::filesystem::path where = std::filesystem::absolute(folder);
    CatalogueCopy copy(where, toAsked ? OnServer{} : server, toAsked ? server : OnServer{});
    const std::string source = toAsked ? where.string() : ServerSetting::describe(where, server);
    const std::string target = toAsked ? ServerSetting::describe(where, server) : where.string();
    if (copy.run()) {
        std::fprintf(stderr, "cdzapp: nothing was copied from %s to %s: %s\n", source.c_str(),
                     target.c_str(), copy.why().c_str());
        return kFailed;
    }
    int64_t records = 0;
    for (const auto& c : copy.copied()) {
        std::fprintf(stdout, "%s: %lld records\n", c.file.c_str(),
                     static_cast<long long>(c.records));
        records += c.records;
    }
    std::fprintf(stdout, "%lld records of %zu files copied from %s to %s\n",
                 static_cast<long long>(records), copy.copied().size(), source.c_str(),
                 target.c_str());
    return kDone;
}

}  // namespace cdz
