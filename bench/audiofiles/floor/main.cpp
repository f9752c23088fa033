// cdzaudiofloor: reads the tags of every audio file under a folder, one after the other, with
// nothing else done: the floor a scan of that folder into the catalogue cannot go below. See
// bench/README.md, "A folder of audio files".
//   cdzaudiofloor DIR [--cover]
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/audiofile/AudioTags.h"

namespace {

constexpr int kBadArguments = 2;

double secondsBetween(std::chrono::steady_clock::time_point from,
                      std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path dir;
    bool withCover = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--cover") {
            withCover = true;
        } else if (dir.empty() && !arg.starts_with("--")) {
            dir = arg;
        } else {
            dir.clear();
            break;
        }
    }
    std::error_code error;
    if (dir.empty() || !std::filesystem::is_directory(dir, error)) {
        std::fprintf(stderr, "usage: cdzaudiofloor DIR [--cover]\n");
        return kBadArguments;
    }

    const auto start = std::chrono::steady_clock::now();
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(
             dir, std::filesystem::directory_options::skip_permission_denied)) {
        if (entry.is_regular_file(error) && cdz::isAudioFileName(entry.path())) {
            files.push_back(entry.path());
        }
    }
    const auto listed = std::chrono::steady_clock::now();
    int faults = 0;
    int covers = 0;
    for (const auto& file : files) {
        const cdz::TagReading reading = cdz::readAudioTags(file, withCover);
        if (reading.fault != cdz::TagFault::None) ++faults;
        if (reading.tags.frontCover) ++covers;
    }
    const auto read = std::chrono::steady_clock::now();
    const double readSeconds = secondsBetween(listed, read);
    std::printf(
        "cdzaudiofloor: %s: %zu files read (%d refused%s) in %.2f s: listed in %.2f s, tags read "
        "in %.2f s (%.0f files/s)",
        dir.c_str(), files.size(), faults, withCover ? ", covers read" : "",
        secondsBetween(start, read), secondsBetween(start, listed), readSeconds,
        readSeconds > 0 ? static_cast<double>(files.size()) / readSeconds : 0.0);
    if (withCover) std::printf(", %d with an embedded cover", covers);
    std::printf("\n");
    return 0;
}
