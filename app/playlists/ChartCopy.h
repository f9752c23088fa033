#pragma once
// The chart copy, without widgets: each entry of a playlist gets its current position as
// "last week's" position, a " LW:" marker at the end of its note, in batches so that a
// progress window can show how far it is and stop it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/data/ErrorState.h"

namespace cdz {

class Catalogue;
class DataFile;

class ChartCopy {
public:
    static constexpr int kBatch = 25;
    static constexpr int kNoteWidth = 40;  // characters of PLA:PlaylistNotes

    ChartCopy(Catalogue& catalogue, int32_t playlist);

    // The note with exactly one marker, " LW:" and the position, at its end. An earlier marker
    // goes (whatever its number of digits); when the note and the marker do not fit in the
    // note's width, the note is cut so that the marker stays whole.
    static std::string markedNote(std::string_view note, int64_t position);
    // The text after the marker ("--" without one): what the chart printout shows as last
    // week's position.
    static std::string lastWeek(std::string_view note);

    // Finds the entries; false on a read error (error() says which).
    bool start();
    // Marks up to kBatch more entries; false when the walk has ended (done, or a failed save).
    bool step();
    int percent() const;
    bool failed() const { return !error_.ok(); }
    const ErrorState& error() const { return error_; }
    int marked() const { return next_; }

private:
    Catalogue& catalogue_;
    DataFile& details_;
    int32_t playlist_;
    std::vector<int64_t> records_;
    int next_ = 0;
    ErrorState error_;
};

}  // namespace cdz
