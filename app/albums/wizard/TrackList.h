#pragma once
// The tracks of one wizard run in the work file, in track order: read, added with the next
// track number, changed, deleted, and moved. A move is one transaction: the tracks' contents
// change places while their numbers stay, so every track is renumbered or none, and no
// temporary number ever reaches the file.
#include <cstdint>
#include <string>
#include <vector>

namespace cdz {

class AppState;

struct WizardTrack {
    int64_t recno = 0;  // position in the work file
    int track = 0;
    std::string artist;
    std::string title;
    int32_t time = 0;  // time value, 0 for none
};

class TrackList {
public:
    enum class Move { Up, Down, Top, Bottom };

    TrackList(AppState& state, int tag);

    // The run's tracks in key order; empty on a read failure (the error state tells).
    std::vector<WizardTrack> read() const;
    // Adds a track under the next track number (highest + 1, or 1); fills track and recno.
    int add(WizardTrack& track) const;
    // Rewrites the track at track.recno with the given values (its number included).
    int change(const WizardTrack& track) const;
    int remove(int64_t recno) const;
    // Moves the track at `index` of read(); returns its index afterwards through `moved`. A
    // move past either end changes nothing and succeeds. On a failure `section` names the step
    // that failed ("Test Range", "Get Orig", "Put Swap"), for the user's message.
    int move(int index, Move how, int* moved = nullptr, std::string* section = nullptr) const;
    // Gives the tracks, in order, the titles in order, as many as both have, in one
    // transaction: every one of them is retitled or none. `trackCount` tells how many tracks
    // the run has.
    int retitle(const std::vector<std::string>& titles, int& trackCount) const;
    // Gives the tracks, in order, the titles and artists of `named`, in one transaction: a
    // track without a time takes the given one, and a track the run lacks is added with the
    // next number. Every track is written or none; tracks past `named` keep what they hold.
    int name(const std::vector<WizardTrack>& named) const;

    // read() for a caller whose transaction already holds the work file open.
    int readInto(std::vector<WizardTrack>& out) const;

    int tag() const { return tag_; }

private:
    AppState& state_;
    int tag_;
};

}  // namespace cdz
