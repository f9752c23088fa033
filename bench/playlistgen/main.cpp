// cdzplaylistgen: the playlist generator over a large catalogue, as "Generate Play List"
// runs it: 99 songs with each weighting, with a category and with release dates; then again
// after every 997th song is deleted, so that the record numbers have gaps. Prints the time of
// each and the resident memory (now and peak).
//   cdzplaylistgen --dir FOLDER
// FOLDER is a catalogue folder the benchmark writes to (playlists are added, songs deleted):
// give it a copy. See bench/README.md, "The playlist generator benchmark".
#include <QCoreApplication>

#include <sys/resource.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/engine/state/AppState.h"
#include "app/playlists/PlaylistGenerator.h"
#include "runtime/text/DateTime.h"
#include "runtime/ui/ScriptedDialogs.h"

namespace {

using namespace cdz;

constexpr int kSize = 99;
constexpr int64_t kDeleteEvery = 997;

long peakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

long residentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

struct Case {
    std::string name;
    PlaylistGeneratorChoice choice;
};

bool runAll(AppState& state, const std::vector<Case>& cases, const char* phase) {
    std::mt19937_64 random(20261208);
    std::printf("%s\n", phase);
    std::printf("  %-34s %8s %8s %7s %10s %10s\n", "choice", "seconds", "entries", "draws",
                "now MB", "peak MB");
    for (const Case& c : cases) {
        FileUse files(state.catalogue(),
                      {CatalogueFile::Categories, CatalogueFile::Cadenzio,
                       CatalogueFile::PlaylistDetails, CatalogueFile::PlaylistMaster});
        if (!files.ok()) return false;
        PlaylistGenerator generator(state.catalogue(), random);
        const auto t0 = std::chrono::steady_clock::now();
        const PlaylistGeneratorOutcome got = generator.generate(c.choice, today());
        const double s =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (got.result != PlaylistGeneratorOutcome::Result::Generated) {
            std::fprintf(stderr, "%s: %s\n", c.name.c_str(), got.message.c_str());
            return false;
        }
        std::printf("  %-34s %8.3f %8d %7d %10.1f %10.1f  %s\n", c.name.c_str(), s, got.entries,
                    got.draws, residentKb() / 1024.0, peakKb() / 1024.0,
                    s < 1.0 ? "holds" : "MISSED (goal < 1 s)");
    }
    return true;
}

// Deletes every kDeleteEvery-th song in one transaction; how many went.
int64_t makeGaps(AppState& state) {
    Catalogue& c = state.catalogue();
    FileUse files(c, {CatalogueFile::Cadenzio});
    DataFile& songs = c.file(CatalogueFile::Cadenzio);
    if (!files.ok() || beginTransaction(c.database(), {&songs}, 2000) != 0) return -1;
    int64_t gone = 0;
    const int64_t records = songs.records();
    for (int64_t r = kDeleteEvery; r <= records; r += kDeleteEvery) {
        if (songs.getRecord(r) == 0 && songs.erase() == 0) ++gone;
    }
    return c.database().commit() == 0 ? gone : -1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3 || std::string(argv[1]) != "--dir") {
        std::fprintf(stderr, "usage: cdzplaylistgen --dir FOLDER (a copy of a catalogue)\n");
        return 2;
    }
    AppState state(argv[2], std::make_unique<ScriptedDialogs>());
    state.setApplicationTag(AppState::kApplicationTag);
    state.setSettingsFileName(AppState::kSettingsFileName);
    state.readSettings();
    int64_t songs = 0;
    {
        FileUse files(state.catalogue(), {CatalogueFile::Cadenzio});
        songs = state.catalogue().file(CatalogueFile::Cadenzio).records();
    }
    const std::vector<std::string> categories = PlaylistGenerator::categoryNames(state.catalogue());
    std::printf("%lld songs, %zu categories; peak %.1f MB at the start\n",
                static_cast<long long>(songs), categories.size(), peakKb() / 1024.0);
    std::vector<Case> cases;
    for (size_t i = 0; i < PlaylistGenerator::kWeightings.size(); ++i) {
        cases.push_back({PlaylistGenerator::kWeightings[i],
                         {kSize, 0, 0, "", static_cast<PlaylistWeighting>(i)}});
    }
    if (!categories.empty()) {
        const std::string& category = categories[categories.size() / 2];
        cases.push_back({"category " + category, {kSize, 0, 0, category, PlaylistWeighting::None}});
        cases.push_back({"category, Recent Release",
                         {kSize, 0, 0, category, PlaylistWeighting::RecentRelease}});
    }
    cases.push_back({"released 1990 to 1999",
                     {kSize, dateFromYmd(1990, 1, 1), 1999, "", PlaylistWeighting::None}});
    if (!runAll(state, cases, "Record numbers without gaps:")) return 1;
    const auto t0 = std::chrono::steady_clock::now();
    const int64_t gone = makeGaps(state);
    if (gone < 0) {
        std::fprintf(stderr, "the songs could not be deleted\n");
        return 1;
    }
    std::printf("%lld songs deleted in %.1f s\n", static_cast<long long>(gone),
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    return runAll(state, cases, "With gaps in the record numbers:") ? 0 : 1;
}
