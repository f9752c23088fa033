#include "app/albums/cd/CdInfoCommand.h"

#include <filesystem>
#include <string_view>

#include "app/albums/cd/CdDisc.h"
#include "app/albums/cd/CdReader.h"
#include "app/albums/cd/CdTime.h"
#include "app/core/AppState.h"
#include "app/core/settings/Settings.h"
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

}  // namespace

std::optional<int> CdInfoCommand::runFromArguments(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) != kOption) continue;
        std::string source;
        if (i + 1 < argc && !std::string_view(argv[i + 1]).starts_with("--")) {
            source = argv[i + 1];
        } else {
            const IniFile settings(dataFolder(argc, argv) / AppState::kSettingsFileName);
            source = CdReader::deviceSource(Settings::read(settings));
        }
        CdioDevice device(source);
        return run(device, source, stdout, stderr);
    }
    return std::nullopt;
}

int CdInfoCommand::run(CdDevice& device, const std::string& source, std::FILE* out,
                       std::FILE* err) {
    CdDisc disc;
    if (const CdFault fault = CdDisc::read(device, disc); fault != CdFault::None) {
        const std::string named = source.empty() ? "the default drive" : source;
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
    return kExitRead;
}

}  // namespace cdz
