// cdzgen: writes a generated catalogue (songs, albums, categories or media) as CSV lines in
// the program's import format, or the whole catalogue into the program's data files of a
// folder. See bench/README.md.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "bench/generator/CatalogueFootprint.h"
#include "bench/generator/CatalogueStats.h"
#include "bench/generator/CatalogueWriter.h"
#include "bench/generator/GeneratorOptions.h"
#include "bench/generator/datafiles/CatalogueInto.h"

namespace {

using cdz::gen::CatalogueWriter;
using cdz::gen::GeneratorOptions;

int64_t writeFile(std::ostream& out, const GeneratorOptions& options) {
    switch (options.mode) {
        case GeneratorOptions::Mode::Albums:
            return CatalogueWriter::writeAlbums(out, options.shape, options.albums, options.header);
        case GeneratorOptions::Mode::Categories:
            return CatalogueWriter::writeCategories(out, options.shape, options.header);
        case GeneratorOptions::Mode::Media:
            return CatalogueWriter::writeMedia(out, options.header);
        case GeneratorOptions::Mode::Songs:
        case GeneratorOptions::Mode::Into:
            break;
    }
    if (!options.stats) return CatalogueWriter::writeSongs(out, options.shape, options.header);
    cdz::gen::CatalogueStats stats;
    const int64_t written = CatalogueWriter::writeSongs(out, options.shape, options.header, &stats);
    stats.write(std::cerr);
    return written;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int writeInto(const GeneratorOptions& options) {
    using cdz::gen::CatalogueFiller;
    using cdz::gen::CatalogueInto;
    using cdz::gen::IntoResult;
    const auto start = std::chrono::steady_clock::now();
    const bool big = options.shape.songs > CatalogueFiller::kBatch;
    auto progress = [&](int64_t songs) {
        if (!big) return;
        std::fprintf(stderr, "cdzgen: %lld of %lld songs, %.1f s\n", static_cast<long long>(songs),
                     static_cast<long long>(options.shape.songs), secondsSince(start));
    };
    const IntoResult r =
        CatalogueInto::write(options.folder, options.shape, options.replace, progress);
    if (r.status != IntoResult::Status::Written) {
        std::cerr << "cdzgen: " << r.message << '\n';
        return static_cast<int>(r.status);
    }
    std::fprintf(
        stderr,
        "cdzgen: %s: %lld songs, %lld albums, %lld categories, %lld media, %lld playlists in "
        "%.1f s\n",
        options.folder.c_str(), static_cast<long long>(r.counts.songs),
        static_cast<long long>(r.counts.albums), static_cast<long long>(r.counts.categories),
        static_cast<long long>(r.counts.media), static_cast<long long>(r.counts.playlists),
        secondsSince(start));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = GeneratorOptions::parse(args, error);
    if (!options) {
        std::cerr << "cdzgen: " << error << '\n' << GeneratorOptions::usage();
        return 2;
    }
    if (options->help) {
        std::cout << GeneratorOptions::usage();
        return 0;
    }
    const bool poolNeeded = options->mode == GeneratorOptions::Mode::Songs ||
                            options->mode == GeneratorOptions::Mode::Albums ||
                            options->mode == GeneratorOptions::Mode::Into;
    if (poolNeeded) {
        using cdz::gen::CatalogueFootprint;
        if (const auto why =
                CatalogueFootprint::refusal(options->shape, CatalogueFootprint::physicalMemory())) {
            std::cerr << "cdzgen: " << *why << '\n';
            return 2;
        }
    }
    if (options->mode == GeneratorOptions::Mode::Into) return writeInto(*options);
    std::ofstream file;
    if (!options->outFile.empty()) {
        file.open(options->outFile, std::ios::binary | std::ios::trunc);
        if (!file) {
            std::cerr << "cdzgen: cannot create " << options->outFile << '\n';
            return 1;
        }
    }
    std::ostream& out = options->outFile.empty() ? std::cout : file;
    int64_t written = 0;
    try {
        written = writeFile(out, *options);
    } catch (const std::bad_alloc&) {
        // The estimate above was too kind for this machine's free memory.
        std::cerr << "cdzgen: out of memory; choose fewer --songs\n";
        return 1;
    }
    out.flush();
    if (file.is_open()) file.close();
    // A full disk must not pass for a complete catalogue.
    if (!out || (!options->outFile.empty() && file.fail())) {
        std::cerr << "cdzgen: writing failed after " << written << " records\n";
        return 1;
    }
    if (options->stats) std::cerr << "records written            " << written << '\n';
    return 0;
}
