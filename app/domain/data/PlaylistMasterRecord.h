#pragma once
// The playlists file `PlaylistMaster` (prefix PLD, cdzplist): one record per playlist.
#include <cstdint>
#include <string>

#include "runtime/data/FileDecl.h"
#include "runtime/text/Text.h"

namespace cdz {

struct PlaylistMasterRecord {
    int32_t PlaylistID = 0;
    Text<30> PlaylistDescription;
    int32_t LastEditDate = 0;
    std::string Notes;

    enum Key : int { KeyPlaylistID, KeyPlaylistDescription };

    static const FileDecl& declaration();
};

}  // namespace cdz
