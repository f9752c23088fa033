#pragma once
// The playlist entries file `PlaylistDetails` (prefix PLA, cdzpldet): one record per song
// entry of a playlist, numbered within its playlist.
#include <cstdint>

#include "runtime/data/FileDecl.h"
#include "runtime/text/Decimal.h"
#include "runtime/text/Text.h"

namespace cdz {

struct PlaylistDetailRecord {
    int32_t PlaylistID = 0;
    Decimal<6, 0> PlaylistSeq;
    Decimal<6, 0> ID;  // the song's MUS:ID
    Text<40> PlaylistNotes;

    enum Key : int { KeyPlaylistID, KeyID };

    static const FileDecl& declaration();
};

}  // namespace cdz
