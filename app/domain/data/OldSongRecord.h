#pragma once
// The songs file of the previous program generation, `OldCadenzio` (prefix M1, cdzro), read
// only when converting.
#include <cstdint>
#include <string>

#include "runtime/data/FileDecl.h"
#include "runtime/text/Text.h"

namespace cdz {

struct OldSongRecord {
    Text<30> Artist;
    Text<30> Title;
    Text<30> Album;
    Text<20> Media;
    Text<10> FileNumber;
    int32_t ReleaseDate = 0;
    std::string Notes;

    enum Key : int { SongsByArtist, SongsByTitle, SongsByAlbum, SongsByMedia };

    static const FileDecl& declaration();
};

}  // namespace cdz
