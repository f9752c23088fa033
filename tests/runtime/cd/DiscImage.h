#pragma once
// A disc image made for a test: a CUE sheet over a sparse BIN file of raw audio sectors, which
// libcdio opens like a drive holding that disc. Only the table of contents is real; the sound is
// silence that takes no disk space.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "runtime/cd/CdDevice.h"

namespace cdz::test {

constexpr int64_t kRawSectorBytes = 2352;

// Writes NAME.cue and NAME.bin into `folder` for tracks of the given lengths in frames and
// returns the CUE sheet's path. The sheet's TITLE and PERFORMER lines carry `text`, the CD-Text.
inline std::filesystem::path writeDiscImage(const std::filesystem::path& folder,
                                            const std::string& name,
                                            const std::vector<int32_t>& trackFrames,
                                            const CdText& text = {}) {
    const std::filesystem::path bin = folder / (name + ".bin");
    std::ofstream(bin, std::ios::binary).close();
    const int64_t frames = std::accumulate(trackFrames.begin(), trackFrames.end(), int64_t{0});
    std::filesystem::resize_file(bin, static_cast<uintmax_t>(frames * kRawSectorBytes));
    const std::filesystem::path cue = folder / (name + ".cue");
    std::ofstream sheet(cue);
    const auto textLine = [&sheet](const char* indent, const char* field, const std::string& v) {
        if (!v.empty()) sheet << indent << field << " \"" << v << "\"\n";
    };
    textLine("", "PERFORMER", text.albumPerformer);
    textLine("", "TITLE", text.albumTitle);
    sheet << "FILE \"" << bin.filename().string() << "\" BINARY\n";
    int32_t start = 0;
    for (size_t i = 0; i < trackFrames.size(); ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "  TRACK %02zu AUDIO\n    INDEX 01 %s\n", i + 1,
                      cdFramesToMsf(start).c_str());
        sheet << line;
        textLine("    ", "TITLE", text.trackTitle(i));
        textLine("    ", "PERFORMER", text.trackPerformer(i));
        start += trackFrames[i];
    }
    return cue;
}

// Frames of m minutes, s seconds and f frames.
constexpr int32_t msf(int m, int s, int f = 0) {
    return (m * 60 + s) * kCdFramesPerSecond + f;
}

}  // namespace cdz::test
