#include "bench/generator/GeneratorOptions.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <utility>

namespace cdz::gen {

namespace {

constexpr const char* kOneMode = "choose one of --albums, --categories, --media, --into";

template <typename T>
bool readNumber(const std::string& text, T min, T max, T& value) {
    T parsed{};
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, parsed);
    if (result.ec != std::errc() || result.ptr != end || parsed < min || parsed > max) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

const char* GeneratorOptions::usage() {
    return "usage: cdzgen [--songs N] [--seed S] [--header] [--out FILE] [--stats]\n"
           "              [--albums M | --categories C | --media] [--category-count C]\n"
           "  --songs N           songs of the catalogue (default 1000000); writes the songs\n"
           "                      file unless another file is chosen\n"
           "  --albums M          write the first M albums (the catalogue has --songs songs,\n"
           "                      10*M when not given)\n"
           "  --categories C      write the C categories of the catalogue\n"
           "  --media             write the twelve media names\n"
           "  --category-count C  categories the songs and albums refer to (default 200)\n"
           "  --seed S            the same seed gives the same files on every machine\n"
           "  --header            first line holds the field labels\n"
           "  --out FILE          write to FILE instead of standard output\n"
           "  --stats             print distribution figures of the songs to standard error\n"
           "   or: cdzgen --into FOLDER [--replace] [--songs N] [--seed S] [--category-count C]\n"
           "  --into FOLDER       write the whole catalogue (songs, albums, categories, media,\n"
           "                      playlists) into the program's data files in FOLDER\n"
           "  --replace           replace the data files FOLDER already holds\n";
}

std::optional<GeneratorOptions> GeneratorOptions::parse(const std::vector<std::string>& args,
                                                        std::string& error) {
    GeneratorOptions options;
    bool songsGiven = false;
    bool modeGiven = false;
    constexpr int32_t kMaxCount = std::numeric_limits<int32_t>::max();  // record numbers
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        auto fail = [&](std::string message) {
            error = std::move(message);
            return std::nullopt;
        };
        auto setMode = [&](Mode chosen) {
            if (modeGiven) return false;
            modeGiven = true;
            options.mode = chosen;
            return true;
        };
        if (arg == "--header") {
            options.header = true;
        } else if (arg == "--stats") {
            options.stats = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--media") {
            if (!setMode(Mode::Media)) return fail(kOneMode);
        } else if (arg == "--songs") {
            int64_t n = 0;
            if (!hasValue || !readNumber<int64_t>(args[++i], 0, kMaxCount, n)) {
                return fail(arg + " needs a number of songs from 0 to 2147483647");
            }
            options.shape.songs = n;
            songsGiven = true;
        } else if (arg == "--albums") {
            if (!hasValue || !readNumber<int32_t>(args[++i], 0, kMaxCount, options.albums)) {
                return fail(arg + " needs a number of albums from 0 to 2147483647");
            }
            if (!setMode(Mode::Albums)) return fail(kOneMode);
        } else if (arg == "--categories" || arg == "--category-count") {
            if (!hasValue ||
                !readNumber<int32_t>(args[++i], 0, 1000000, options.shape.categories)) {
                return fail(arg + " needs a number of categories from 0 to 1000000");
            }
            if (arg == "--categories" && !setMode(Mode::Categories)) {
                return fail(kOneMode);
            }
        } else if (arg == "--seed") {
            if (!hasValue ||
                !readNumber<uint64_t>(args[++i], 0, std::numeric_limits<uint64_t>::max(),
                                      options.shape.seed)) {
                return fail(arg + " needs a seed from 0 to 18446744073709551615");
            }
        } else if (arg == "--into") {
            if (!hasValue || args[i + 1].empty()) return fail(arg + " needs a folder");
            options.folder = args[++i];
            if (!setMode(Mode::Into)) return fail(kOneMode);
        } else if (arg == "--replace") {
            options.replace = true;
        } else if (arg == "--out") {
            if (!hasValue || args[i + 1].empty()) return fail(arg + " needs a file name");
            options.outFile = args[++i];
        } else {
            return fail("unknown argument " + arg);
        }
    }
    if (options.mode == Mode::Into &&
        (options.header || options.stats || !options.outFile.empty())) {
        error = "--into writes data files: leave out --header, --stats and --out";
        return std::nullopt;
    }
    if (options.replace && options.mode != Mode::Into) {
        error = "--replace goes with --into";
        return std::nullopt;
    }
    if (options.mode == Mode::Albums && !songsGiven) {
        options.shape.songs = std::min<int64_t>(int64_t{options.albums} * 10, kMaxCount);
    }
    return options;
}

}  // namespace cdz::gen
