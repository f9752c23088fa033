#include "app/albums/cd/FindReleaseCommand.h"

#include <filesystem>

#include "app/albums/cd/ReleaseFinder.h"
#include "app/domain/settings/Settings.h"
#include "app/engine/state/AppState.h"
#include "runtime/ini/IniFile.h"
#include "runtime/process/CommandOptions.h"

namespace cdz {

namespace {

int fromOptions(const CommandOptions& options, std::FILE* out, std::FILE* err) {
    const std::filesystem::path folder =
        options.valueOr("data-dir", std::filesystem::current_path().string());
    const Settings settings = Settings::read(IniFile(folder / AppState::kSettingsFileName));
    int most = ReleaseFinder::kMostCandidates;
    if (options.has("limit")) {
        most = leadingNumber(options.value("limit"));
        if (most < 1 || most > ReleaseFinder::kMostCandidates) {
            std::fprintf(err, "cdzapp: --limit takes a number from 1 to %d\n",
                         ReleaseFinder::kMostCandidates);
            return CommandTable::kWrongOrder;
        }
    }
    return FindReleaseCommand::run(options.value("find-release"), most,
                                   TitleService::optionsFrom(settings), out, err);
}

}  // namespace

HeadlessCommand FindReleaseCommand::command() {
    return {.trigger = {.name = "find-release",
                        .valueName = "query",
                        .help = "Search the online title service's releases by "
                                "\"barcode:DIGITS\", \"catno:NUMBER\" or "
                                "\"artist:NAME,title:TITLE\" and print the candidates one a "
                                "line (title | artist | format | country | year | label | "
                                "catalogue number | tracks | release identifier), and exit; exit "
                                "status 2 when the service knows none or cannot be reached."},
            .options = {{.name = "limit",
                         .valueName = "n",
                         .help = "The most candidates --find-release prints (1 to 25, 25 "
                                 "without it)."}},
            .needs = CommandNeeds::CoreApplication,
            .run = &fromOptions};
}

int FindReleaseCommand::run(const std::string& text, int most, const TitleService::Options& options,
                            std::FILE* out, std::FILE* err) {
    std::string why;
    const std::optional<ReleaseQuery> query = ReleaseQuery::parse(text, &why);
    if (!query) {
        std::fprintf(err, "cdzapp: %s\n", why.c_str());
        return CommandTable::kWrongOrder;
    }
    ReleaseFinder finder(options);
    const ReleaseFinder::Search found = finder.search(*query, most);
    if (found.outcome != TitleOutcome::Found) {
        std::fprintf(err, "cdzapp: %s\n",
                     finder.explain(found.outcome, found.detail, query->describe()).c_str());
        return kExitNone;
    }
    for (size_t i = 0; i < found.candidates.size(); ++i) {
        const TitleRelease& r = found.candidates[i];
        std::fprintf(out, "%zu. %s | %s\n", i + 1, r.line().c_str(), r.id.c_str());
    }
    return CommandTable::kDone;
}

}  // namespace cdz
