#pragma once
// The audio files file `AudioFiles` (prefix AUD, cdzaudio): one record for each song made from
// an audio file by a folder scan, keyed by the song's number. It holds where the file is and
// what it was when last read, so that a scan again reads only what changed; the songs file
// itself is left as other stations and stored files know it.
#include <cstdint>
#include <string>

#include "runtime/data/FileDecl.h"
#include "runtime/text/Decimal.h"
#include "runtime/text/Text.h"

namespace cdz {

struct AudioFileRecord {
    int32_t SongID = 0;      // the song's MUS:ID
    Text<16> PathKey;        // a hash of Path in 16 hex digits, to find a file again by its path
    Decimal<8, 0> Size;      // bytes
    Decimal<8, 0> Modified;  // seconds since 1970 (UTC)
    Text<16> Written;        // a hash of the song's fields as the scan last wrote them
    std::string Path;        // the file's full path

    enum Key : int { KeySongID, KeyPathKey };

    static const FileDecl& declaration();
};

}  // namespace cdz
