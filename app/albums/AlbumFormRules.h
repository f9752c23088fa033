#pragma once
// What the album form does beyond the form engine, without widgets: the copy rule, songs put on
// the album (dropped, picked, or assigned in bulk by file number and media), the walk through
// the album's songs, and undoing every such link when the insert of a new album is cancelled,
// so that no song is left pointing at a number no album has.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/engine/state/Request.h"

namespace cdz {

class AppState;

class AlbumFormRules {
public:
    static constexpr const char* kSongForm = "UpdateSongsForAlbum";
    static constexpr const char* kSongPicker = "SelectFileNumber";
    static constexpr const char* kCopySuffix = " - Copy";

    explicit AlbumFormRules(AppState& state);

    // Before the form starts: an insert of a record with a title is a copy, whose title gets
    // " - Copy" (the title cut so that the suffix fits) and whose CD serial is blanked.
    void enter(Request request);
    // The title a copy of `title` gets (no more than the field's 40 characters).
    static std::string copyTitle(std::string_view title);

    // A song dropped on the album's list: moved to this album. False when it does not exist
    // or could not be written (the user was told).
    bool takeSong(int64_t songId);
    // "Select Existing Songs": the bulk assignment by file number and media, or the picker.
    void selectExisting();
    // Assigns every song of the album's media and file number (upper-cased, blanks cut) found
    // from that place in the media order; tells the user how many or why none.
    int assignByFileNumber();
    // "Edit All Songs": the song form over each song of the album in track order while the
    // user presses OK.
    void editAllSongs();
    // "Paste titles": the album's songs in track order take the titles in order, as many as
    // both have, in one transaction; `songCount` tells how many songs the album has. 0 or a
    // runtime code, nothing changed on a failure.
    int retitleSongs(const std::vector<std::string>& titles, int& songCount);

    // Songs put on the album while the form is open, with the album each came from.
    const std::map<int64_t, int32_t>& movedSongs() const { return moved_; }
    // Inside the transaction of a cancelled insert: songs moved to the reserved number go back
    // to their album; songs made on it (added, copied, read from the CD) are deleted. 0 or a
    // runtime code.
    int undoLinks(int32_t reservedAlbum);

private:
    bool moveSong(int32_t albumId);

    AppState& state_;
    std::map<int64_t, int32_t> moved_;
};

}  // namespace cdz
