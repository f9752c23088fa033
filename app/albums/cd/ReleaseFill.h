#pragma once
// What an album and its tracks take from a release the title service gave: the media name its
// format matches, the notes that keep its label, catalogue number, barcode and identifier (where
// "Fetch Cover" finds the identifier again), each track's time value and the side a medium of a
// release of several discs gives it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/albums/cd/TitleRelease.h"

namespace cdz {

class ReleaseFill {
public:
    static constexpr const char* kReleaseLine = "MusicBrainz release: ";

    // The name of `mediaNames` the release's first format matches ("CD" for "2xCD", "Vinyl" or
    // "LP" for "12\" Vinyl", "Cassette" for "Cassette"), compared without case; empty when none
    // does, so the album keeps the media it has.
    static std::string mediaFor(std::string_view format,
                                const std::vector<std::string>& mediaNames);
    // "Label: ...", "Catalogue number: ...", "Barcode: ..." and the release line, one a line,
    // each only when known.
    static std::string notesOf(const TitleRelease& release);
    // `notes` with the release's lines in place of any such lines it held, within `most` bytes
    // (the user's own text is cut first, never the release line).
    static std::string withNotes(std::string_view notes, const TitleRelease& release, size_t most);
    // The release identifier kept in `notes`; empty when none is.
    static std::string releaseIdIn(std::string_view notes);
    // The time value of a track's length in milliseconds; 0 for none.
    static int32_t timeOf(int32_t lengthMs);
    // The values of the release cut to fit: those the answer's reading cut, and the tracks'
    // titles and artists longer than the `trackChars` a track list holds.
    static int cutValues(const TitleRelease& release, int trackChars);
    // "1".."9" for the track's disc on a release of several; empty otherwise.
    static std::string sideOf(const TitleTrack& track);
};

}  // namespace cdz
