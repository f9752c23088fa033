#pragma once
// `cdzapp --add-files FOLDER [--media NAME] [--data-dir FOLDER]`: the scan of a folder of audio
// files into the catalogue without a window. It prints the summary the window shows, then the
// files skipped with why, the files gone and what was added to the lookup files. Exit status 0
// when the scan ran to its end (something added or nothing needing it), 1 when it failed, 2 on
// a wrong order.
#include <cstdio>

#include "app/audiofiles/AudioScan.h"
#include "app/engine/command/CommandTable.h"

namespace cdz {

class AddFilesCommand {
public:
    static constexpr int kDone = 0;
    static constexpr int kFailed = 1;
    static constexpr int kWrongOrder = 2;

    static HeadlessCommand command();
    static int run(Catalogue& catalogue, const std::filesystem::path& folder,
                   const AudioScanOptions& options, std::FILE* out, std::FILE* err);
    // The lists after the counts: skipped files, gone files and notes, as both the command
    // and the window's summary give them, at most `listed` of each by name.
    static std::string details(const AudioScanSummary& summary,
                               size_t listed = AudioScanSummary::kListed);
};

}  // namespace cdz
