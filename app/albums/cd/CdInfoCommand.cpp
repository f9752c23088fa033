#include "app/albums/cd/CdInfoCommand.h"

#include <QCoreApplication>

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "app/albums/cd/CdDisc.h"
#include "app/albums/cd/CdReader.h"
#include "app/albums/cd/CdTime.h"
#include "app/domain/settings/Settings.h"
#include "app/engine/state/AppState.h"
#include "runtime/cd/CdioDevice.h"
#include "runtime/ini/IniFile.h"

namespace cdz {

namespace {

constexpr int kExitRead = 0;
constexpr int kExitFault = 1;
constexpr std::string_view kDataDirOption = "--data-dir";

// The data folder the arguments name, the current folder without one.
std::filesystem::path dataFolder(int argc, const char* const* argv) {
    const std::string withValue = std::string(kDataDirOption) + "=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == kDataDirOption && i + 1 < argc) return argv[i + 1];
        if (arg.starts_with(withValue)) return std::string(arg.substr(withValue.size()));
    }
    return std::filesystem::current_path();
}

// The disc ID and the releases the service gives for the disc, each with its tracks.
int printLookup(const CdDisc& disc, const TitleService::Options& options, std::FILE* out) {
    TitleService service(options);
    const TitleService::Result result = service.find(disc.contents);
    if (!result.discId.empty()) std::fprintf(out, "Disc ID: %s\n", result.discId.c_str());
    if (result.outcome != TitleService::Outcome::Found) {
        std::fprintf(out, "Lookup: %s\n", service.explain(result).c_str());
        return CdInfoCommand::kExitNoTitles;
    }
    for (size_t r = 0; r < result.releases.size(); ++r) {
        const TitleRelease& release = result.releases[r];
        std::fprintf(out, "Release %zu: %s\n", r + 1, release.describe().c_str());
        for (size_t t = 0; t < release.tracks.size(); ++t) {
            const TitleTrack& track = release.tracks[t];
            std::fprintf(out, "  Track %2zu: %s / %s\n", t + 1, track.title.c_str(),
                         track.artist.c_str());
        }
    }
    return kExitRead;
}

}  // namespace

std::optional<int> CdInfoCommand::runFromArguments(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) != kOption) continue;
        const Settings settings =
            Settings::read(IniFile(dataFolder(argc, argv) / AppState::kSettingsFileName));
        std::string source;
        if (i + 1 < argc && !std::string_view(argv[i + 1]).starts_with("--")) {
            source = argv[i + 1];
        } else {
            source = CdReader::deviceSource(settings);
        }
        CdioDevice device(source);
        const bool lookup = std::any_of(argv + 1, argv + argc, [](const char* arg) {
            return std::string_view(arg) == kLookupOption;
        });
        if (!lookup) return run(device, source, stdout, stderr);
        // The network needs an event loop, and the loop an application object.
        int count = argc;
        const QCoreApplication application(count, const_cast<char**>(argv));
        const TitleService::Options options = TitleService::optionsFrom(settings);
        return run(device, source, stdout, stderr, &options);
    }
    return std::nullopt;
}

int CdInfoCommand::run(CdDevice& device, const std::string& source, std::FILE* out, std::FILE* err,
                       const TitleService::Options* lookup) {
    CdDisc disc;
    if (const CdFault fault = CdDisc::read(device, disc); fault != CdFault::None) {
        std::string named = source.empty() ? "the default drive" : source;
        if (const std::string detail = device.faultDetail(); !detail.empty())
            named += ": " + detail;
        std::fprintf(err, "cdzapp: %s (%s)\n", std::string(cdFaultText(fault)).c_str(),
                     named.c_str());
        return kExitFault;
    }
    std::fprintf(out, "Tracks: %d\n", disc.trackCount);
    std::fprintf(out, "Identifier: \"%s\"\n", disc.identifier.c_str());
    std::fprintf(out, "Length: %s\n", TimeToMinSec(disc.discTime).c_str());
    const CdText& text = disc.text;
    if (!text.albumPerformer.empty())
        std::fprintf(out, "Performer: %s\n", text.albumPerformer.c_str());
    if (!text.albumTitle.empty()) std::fprintf(out, "Title: %s\n", text.albumTitle.c_str());
    for (size_t i = 0; i < disc.trackTimes.size(); ++i) {
        // With CD-Text, the title the wizard would take and the track's own performer.
        std::string named;
        if (!text.empty()) {
            const std::string title = text.trackTitle(i);
            named = "  " + (title.empty() ? "Track " + std::to_string(i + 1) : title);
            if (const std::string by = text.trackPerformer(i); !by.empty()) named += " / " + by;
        }
        std::fprintf(out, "Track %2zu: %s%s\n", i + 1, TimeToMinSec(disc.trackTimes[i]).c_str(),
                     named.c_str());
    }
    return lookup ? printLookup(disc, *lookup, out) : kExitRead;
}

}  // namespace cdz
