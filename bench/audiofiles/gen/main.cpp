// cdzaudiogen: writes a folder of tagged silent audio files laid out as albums, the load the
// catalogue's folder scan is measured on. See bench/README.md, "A folder of audio files".
//   cdzaudiogen --into DIR --files N [--seed S]
#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "bench/audiofiles/AudioLibrary.h"
#include "runtime/process/CommandOptions.h"

namespace {

constexpr int kBadArguments = 2;
constexpr int kFailed = 1;
constexpr int kProgressEvery = 1000;

int usage(const std::string& why) {
    std::fprintf(stderr, "cdzaudiogen: %s\nusage: cdzaudiogen --into DIR --files N [--seed S]\n",
                 why.c_str());
    return kBadArguments;
}

bool parseCount(const std::string& text, long long& out) {
    try {
        std::size_t used = 0;
        out = std::stoll(text, &used);
        return used == text.size() && out >= 0;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // Qt's image plugins write the covers
    constexpr cdz::OptionRule kRules[] = {{"into"}, {"files"}, {"seed"}};
    const cdz::CommandOptions options(argc, argv, kRules);
    if (!options.fault().empty()) return usage(options.fault());
    if (!options.unknown().empty()) return usage("unknown option --" + options.unknown().front());
    long long files = 0;
    long long seed = 1;
    if (!options.has("into")) return usage("--into is needed");
    if (!parseCount(options.value("files"), files) || files < 1 || files > 10000000) {
        return usage("--files needs a number from 1 to 10000000");
    }
    if (options.has("seed") && !parseCount(options.value("seed"), seed)) {
        return usage("--seed needs a number");
    }
    const std::filesystem::path into = options.value("into");
    std::error_code error;
    if (std::filesystem::exists(into, error) && !std::filesystem::is_empty(into, error)) {
        return usage(into.string() + " is not empty");
    }

    const auto start = std::chrono::steady_clock::now();
    const auto seconds = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    int reported = 0;
    try {
        const auto counts = cdz::gen::writeAudioLibrary(
            into, static_cast<int>(files), static_cast<uint64_t>(seed), [&](int written) {
                if (written / kProgressEvery == reported / kProgressEvery) return;
                reported = written;
                std::fprintf(stderr, "cdzaudiogen: %d of %lld files, %.1f s\n", written, files,
                             seconds());
            });
        std::printf(
            "cdzaudiogen: %s: %d files in %d albums (%d FLAC, %d MP3, %d Ogg Vorbis); %d albums "
            "with embedded covers, %d with cover.jpg; %.1f s\n",
            into.c_str(), counts.files, counts.albums, counts.flac, counts.mp3, counts.ogg,
            counts.embeddedCovers, counts.coverFiles, seconds());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cdzaudiogen: %s\n", e.what());
        return kFailed;
    }
    return 0;
}
