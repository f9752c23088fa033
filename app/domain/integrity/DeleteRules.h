#pragma once
// What deleting a record does to the files that refer to it: playlist entries go with their
// playlist, songs with their category or album, a song's audio file record with the song, and a
// song held by a playlist, or a media name that songs use, refuses the deletion. Runs inside the
// delete transaction; a rule that fails has shown its warning and saved its error, which rolled
// the transaction back.
#include <cstdint>

#include "app/domain/data/Catalogue.h"
#include "app/domain/warnings/StandardWarning.h"

namespace cdz {

class DeleteRules {
public:
    DeleteRules(Catalogue& catalogue, StandardWarning& warning)
        : catalogue_(catalogue), warning_(warning) {}

    // Applies the rule of the file whose record (as stored) is in its buffer; true when the
    // record may now be deleted. Files without a rule give true.
    bool apply(CatalogueFile file);

private:
    bool deletePlaylistEntries();
    // True when no playlist entry holds the song in the songs buffer.
    bool songIsFree();
    // Deletes the audio file record of the song in the songs buffer, if it has one.
    bool forgetAudioFile();
    bool mediaIsUnused();
    // Deletes every song in `key` whose linking field (compared by `carries`) holds the
    // value already placed in the songs buffer, refusing them all if any is on a playlist.
    bool deleteSongs(int key, const std::function<bool()>& carries);
    bool refuse(const char* referringFile);

    Catalogue& catalogue_;
    StandardWarning& warning_;
};

}  // namespace cdz
