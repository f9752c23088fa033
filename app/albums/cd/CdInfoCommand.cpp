#include "app/albums/cd/CdInfoCommand.h"

#include <filesystem>
#include <string_view>

#include "app/albums/cd/CdDisc.h"
#include "app/albums/cd/CdReader.h"
#include "app/albums/cd/CdTime.h"
#include "app/domain/settings/Settings.h"
#include "app/engine/state/AppState.h"
#include "runtime/cd/CdioDevice.h"
#include "runtime/ini/IniFile.h"
#include "runtime/process/CommandOptions.h"

namespace cdz {

namespace {

constexpr int kExitRead = 0;
constexpr int kExitFault = 1;

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

int runFromOptions(const CommandOptions& options, std::FILE* out, std::FILE* err) {
    const std::filesystem::path folder =
        options.valueOr("data-dir", std::filesystem::current_path().string());
    const Settings settings = Settings::read(IniFile(folder / AppState::kSettingsFileName));
    std::string source = options.value("cd-info");
    if (source.empty()) source = CdReader::deviceSource(settings);
    CdioDevice device(source);
    if (!options.has("lookup")) return CdInfoCommand::run(device, source, out, err);
    const TitleService::Options lookup = TitleService::optionsFrom(settings);
    return CdInfoCommand::run(device, source, out, err, &lookup);
}

}  // namespace

// Reading the disc needs no application object; the network of the lookup needs an event loop.
HeadlessCommand CdInfoCommand::command() {
    return {.trigger = {.name = "cd-info",
                        .valueName = "drive-or-image",
                        .help = "Print the track count, identifier and track lengths of the audio "
                                "disc in the drive (or in the drive or disc image named after the "
                                "option) and exit; with --lookup also the disc ID and the titles "
                                "the online title service gives.",
                        .optionalValue = true},
            .options = {{.name = "lookup",
                         .help = "See --cd-info.",
                         .needs = CommandNeeds::CoreApplication}},
            .run = &runFromOptions};
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
