#pragma once
// The entries of one playlist, without widgets: the rows the playlist form lists (each entry
// joined to its song), their total time, a song dropped on the list, the four moves that
// reorder entries by swapping their sequence numbers, and the removal of every entry of a
// playlist. Entries are written at once, independently of the playlist record.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/data/ErrorState.h"

namespace cdz {

class Catalogue;
class DataFile;

struct PlaylistRow {
    int64_t seq = 0;
    int64_t song = 0;  // the entry's song number (MUS:ID)
    std::string artist;
    std::string title;
    int32_t time = 0;  // the song's MUS:Time; 0 when the song is gone
    std::string notes;
};

// Where a move failed, for the "Record swap error" message.
struct SwapFault {
    std::string section;  // "Test Range", "Get Orig", "Put Swap Out", "Put Swap", ...
    ErrorState error;
    int32_t playlist = 0;
    int64_t seq = 0;
};

class PlaylistEntries {
public:
    enum class Move { Up, Top, Down, Bottom };
    // How many adds a drop tries before it asks whether to try again.
    static constexpr int kDropTries = 3;

    explicit PlaylistEntries(Catalogue& catalogue);

    // The playlist's entries in sequence order; a deleted song leaves its columns empty.
    int rows(int32_t playlist, std::vector<PlaylistRow>* out);
    // The sum of the songs' lengths as a time value: a stored time is hundredths of a second
    // plus one, so each song adds its time less that one (a song without a time adds nothing).
    static int64_t totalTime(const std::vector<PlaylistRow>& rows);

    // The highest sequence number of the playlist, 0 when it has no entry.
    int highestSeq(int32_t playlist, int64_t* seq);
    bool songExists(int64_t song);
    enum class Drop { Added, NoSuchSong, GaveUp, ReadFailed };
    // Adds an entry for an existing song after the last one: kDropTries attempts, then
    // `retry` is asked whether to try as many again. `seq` receives the new entry's number;
    // after a failure the error state holds the cause.
    Drop drop(int32_t playlist, int64_t song, const std::function<bool()>& retry, int64_t* seq);

    // Moves the entry numbered `seq` in one transaction: the entries between it and its place
    // keep their numbers' order and the numbers in use stay the same; all are renumbered or
    // none. `movedTo` receives the entry's new number (its old one when it cannot move). On a
    // failure `fault` says where, and the code is returned.
    int move(int32_t playlist, int64_t seq, Move how, int64_t* movedTo, SwapFault* fault);
    // The text of the message a failed move shows (title "Error!").
    static std::string swapErrorText(const SwapFault& fault);

    // Deletes every entry of the playlist (in the caller's transaction, if any).
    int removeAll(int32_t playlist);

private:
    struct Entry {
        int64_t recno;
        int64_t seq;
    };
    int entries(int32_t playlist, std::vector<Entry>* out);
    int putSeq(int64_t recno, int64_t seq);

    Catalogue& catalogue_;
    DataFile& details_;
};

}  // namespace cdz
