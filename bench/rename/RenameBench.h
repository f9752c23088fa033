#pragma once
// Renames the media name the most songs of a catalogue use through the update procedure of
// the media file, as the media form saves a renamed record, and times each rename. Every
// rename is checked: the songs that carried the old name all carry the new one and none is
// left with the old.
#include <cstdint>
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/domain/integrity/Integrity.h"
#include "app/domain/warnings/StandardWarning.h"
#include "runtime/ui/ScriptedDialogs.h"

namespace cdz::bench {

struct RenameFigures {
    bool ok = true;
    std::string failure;
    std::string media;            // the name renamed (and renamed back to)
    int64_t songs = 0;            // songs that carry it
    std::vector<double> seconds;  // one per rename, in order
    std::vector<double> cpu;      // the process's processor seconds of each rename
    int64_t rssOpen = 0;          // kB once the files are open and the songs counted
    int64_t rssAfter = 0;         // kB after the renames
    int64_t rssPeak = 0;          // kB, the process's high-water mark
    double medianSeconds() const { return median(seconds); }
    double medianCpu() const { return median(cpu); }
    static double median(std::vector<double> v);
};

class RenameBench {
public:
    // The name the songs are renamed to and back from; no generated song carries it.
    static constexpr const char* kNewName = "Compact Disc (new)";

    explicit RenameBench(Catalogue& catalogue);

    // Opens the songs and media files, adds the missing media names to the media file, picks
    // the most used name and counts its songs.
    bool prepare();
    // Renames it `renames` times, to the new name and back in turn, ending on the old name.
    void run(int renames);
    const RenameFigures& figures() const { return figures_; }

private:
    bool fail(std::string why);
    bool addMissingMedia();
    // Songs whose media name equals `name` (ignoring case, as the key does), read by key.
    int64_t carrying(const std::string& name);
    bool rename(const std::string& from, const std::string& to);

    Catalogue& catalogue_;
    ScriptedDialogs dialogs_;
    StandardWarning warning_;
    Integrity integrity_;
    RenameFigures figures_;
};

}  // namespace cdz::bench
