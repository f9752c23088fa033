#include "bench/rename/RenameBench.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "bench/browse/ResidentMemory.h"
#include "bench/generator/MediaNames.h"
#include "bench/storage/Stopwatch.h"
#include "runtime/text/Unicode.h"

namespace cdz::bench {
namespace {

using F = CatalogueFile;

}  // namespace

double RenameFigures::median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

RenameBench::RenameBench(Catalogue& catalogue)
    : catalogue_(catalogue),
      warning_(
          dialogs_, catalogue.database().error(),
          [](std::string_view text) {
              std::fprintf(stderr, "halted: %.*s\n", static_cast<int>(text.size()), text.data());
          },
          [&catalogue] { catalogue.database().rollback(); }),
      integrity_(catalogue, warning_) {}

bool RenameBench::fail(std::string why) {
    if (figures_.ok) {
        figures_.ok = false;
        figures_.failure = std::move(why);
    }
    return false;
}

bool RenameBench::addMissingMedia() {
    DataFile& media = catalogue_.file(F::Media);
    for (std::string_view name : gen::mediaNames()) {
        catalogue_.media().Media = name;
        if (media.get(MediaRecord::KeyMedia) == 0) continue;
        catalogue_.media().Media = name;
        if (media.add() != 0) {
            return fail("adding the media name " + std::string(name) + ": " + media.error().text);
        }
    }
    return true;
}

int64_t RenameBench::carrying(const std::string& name) {
    DataFile& songs = catalogue_.file(F::Cadenzio);
    SongRecord& song = catalogue_.song();
    songs.send("QUICKSCAN=on");
    songs.clearBuffer();
    song.Media = name;
    int64_t n = 0;
    int code = songs.setAt(SongRecord::SongsByMedia);
    while (code == 0 && (code = songs.next()) == 0 && equalsFolded(song.Media.view(), name)) ++n;
    // The procedure reads without read-ahead, as the program's songs file does.
    songs.send("QUICKSCAN=off");
    if (code != 0 && code != err::kRecordNotAvailable) {
        fail("reading the songs by media: " + songs.error().text);
        return -1;
    }
    return n;
}

bool RenameBench::prepare() {
    if (catalogue_.use(F::Cadenzio) != 0 || catalogue_.use(F::Media) != 0) {
        return fail("cannot open the songs and media files: " + catalogue_.database().error().text);
    }
    if (!addMissingMedia()) return false;
    for (std::string_view name : gen::mediaNames()) {
        const int64_t n = carrying(std::string(name));
        if (n < 0) return false;
        if (n > figures_.songs) {
            figures_.songs = n;
            figures_.media = name;
        }
    }
    if (figures_.songs == 0) return fail("no song carries a media name");
    if (carrying(kNewName) != 0) return fail(std::string("songs already carry ") + kNewName);
    figures_.rssOpen = ResidentMemory::kilobytes();
    return true;
}

bool RenameBench::rename(const std::string& from, const std::string& to) {
    DataFile& media = catalogue_.file(F::Media);
    // As the media form loads the record: by key, under a change watch, its name recorded.
    catalogue_.media().Media = from;
    media.watch();
    if (media.get(MediaRecord::KeyMedia) != 0) {
        return fail("reading the media record " + from + ": " + media.error().text);
    }
    integrity_.savedLinks().setMedia(from);
    catalogue_.media().Media = to;

    const std::clock_t cpuStart = std::clock();
    Stopwatch w;
    const int result = integrity_.RIUpdate(F::Media, Integrity::kOtherForm);
    const double seconds = w.seconds();
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    if (result != Integrity::kDone || !dialogs_.shown().empty()) {
        std::string why = "renaming " + from + " to " + to + " answered " + std::to_string(result);
        for (const DialogRecord& d : dialogs_.shown()) why += "; shown: " + d.title + "|" + d.text;
        return fail(why);
    }
    figures_.seconds.push_back(seconds);
    figures_.cpu.push_back(cpu);

    const int64_t moved = carrying(to);
    const int64_t left = carrying(from);
    if (moved != figures_.songs || left != 0) {
        return fail("after renaming " + from + " to " + to + ": " + std::to_string(moved) +
                    " songs carry the new name (" + std::to_string(figures_.songs) +
                    " expected) and " + std::to_string(left) + " the old one");
    }
    return true;
}

void RenameBench::run(int renames) {
    const std::string original = figures_.media;
    const std::string renamed = kNewName;
    for (int i = 0; i < renames && figures_.ok; ++i) {
        const bool there = i % 2 == 0;
        if (!rename(there ? original : renamed, there ? renamed : original)) return;
    }
    // Leave the catalogue as it was found, for the next run.
    if (renames % 2 == 1 && figures_.ok) {
        const RenameFigures timed = figures_;
        if (rename(renamed, original)) figures_ = timed;
    }
    figures_.rssAfter = ResidentMemory::kilobytes();
    figures_.rssPeak = ResidentMemory::peakKilobytes();
}

}  // namespace cdz::bench
