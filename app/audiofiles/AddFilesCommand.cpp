#include "app/audiofiles/AddFilesCommand.h"

#include <algorithm>
#include <system_error>

#include "app/engine/command/HeadlessState.h"
#include "app/engine/state/AppState.h"
#include "runtime/process/CommandOptions.h"

namespace cdz {
namespace {

using F = CatalogueFile;

// A command has no window to keep live: a batch is as large as keeps a kill's loss small.
constexpr int kBatch = 500;

constexpr std::initializer_list<F> kFiles = {F::Cadenzio, F::Album, F::Categories, F::Media,
                                             F::AudioFiles};

int fromOptions(const CommandOptions& options, std::FILE* out, std::FILE* err) {
    const std::filesystem::path folder = options.value("add-files");
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) {
        std::fprintf(err, "cdzapp: --add-files: %s is not a folder\n", folder.c_str());
        return AddFilesCommand::kWrongOrder;
    }
    const auto state = headlessState(options, err, true);
    if (!state) return AddFilesCommand::kWrongOrder;
    AudioScanOptions scan = AudioScanOptions::fromSettings(state->settingsFile());
    if (options.has("media")) scan.losslessMedia = options.value("media");
    return AddFilesCommand::run(state->catalogue(), folder, scan, out, err);
}

void listed(std::string& out, const char* title, const std::vector<std::string>& lines,
            int64_t count, size_t most) {
    if (count == 0) return;
    out += std::string(title) + ":\n";
    const size_t shown = std::min(most, lines.size());
    for (size_t i = 0; i < shown; ++i) out += "  " + lines[i] + "\n";
    if (count > static_cast<int64_t>(shown))
        out += "  ... and " + std::to_string(count - static_cast<int64_t>(shown)) + " more\n";
}

}  // namespace

HeadlessCommand AddFilesCommand::command() {
    return {
        .trigger = {.name = "add-files",
                    .valueName = "folder",
                    .help = "Add the audio files under <folder> (and its folders) to the "
                            "catalogue by their tags without a window, and exit: a song for "
                            "each new file, on the album of its album tag and album artist "
                            "(made with the picture of the files or their folder when the "
                            "catalogue has none). A file changed since the last scan updates "
                            "its song unless the song was edited since; files gone are "
                            "listed, never deleted. Prints the counts, the files skipped "
                            "with why and the files gone; exit status 1 when the scan "
                            "failed."},
        .options = {{.name = "media",
                     .valueName = "name",
                     .help = "The media name of songs from lossless files (default: the settings' "
                             "[AudioFiles] LosslessMedia, else CD); "
                             "lossy files take their format's name (MP3, OGG, OPUS, M4A, "
                             "WMA) where the media file holds it."}},
        .needs = CommandNeeds::Application,
        .run = &fromOptions};
}

std::string AddFilesCommand::details(const AudioScanSummary& summary, size_t most) {
    std::string out;
    std::vector<std::string> skipped;
    skipped.reserve(summary.skipped.size());
    for (const SkippedFile& s : summary.skipped) skipped.push_back(s.path + ": " + s.reason);
    listed(out, "Skipped", skipped, summary.skippedCount, most);
    listed(out, "Gone (still in the catalogue)", summary.gone, summary.goneCount, most);
    listed(out, "Notes", summary.notes, static_cast<int64_t>(summary.notes.size()), most);
    return out;
}

int AddFilesCommand::run(Catalogue& catalogue, const std::filesystem::path& folder,
                         const AudioScanOptions& options, std::FILE* out, std::FILE* err) {
    // Each file is read and written once over: the storage keeps no large cache of its pages,
    // so the scan's memory does not grow with the collection.
    const LeanPass lean(catalogue.database());
    FileUse files(catalogue, kFiles);
    if (!files.ok()) {
        for (F f : kFiles) {
            if (catalogue.useCount(f) != 0) continue;
            std::fprintf(err, "cdzapp: the %s file could not be opened: %s %s\n",
                         std::string(catalogueFileInfo(f).label).c_str(),
                         catalogue.database().error().text.c_str(),
                         catalogue.database().error().driverText.c_str());
            break;
        }
        return kFailed;
    }
    AudioScan scan(catalogue, folder, options);
    if (scan.start()) {
        while (scan.step(kBatch)) {
        }
    }
    const std::string text = scan.summary().text() + details(scan.summary());
    std::fprintf(out, "%s", text.c_str());
    if (scan.state() == ScanState::Failed) {
        std::fprintf(err, "cdzapp: %s: %s; the scan stopped there\n", scan.failureTitle().c_str(),
                     scan.failureText().c_str());
        return kFailed;
    }
    return kDone;
}

}  // namespace cdz
