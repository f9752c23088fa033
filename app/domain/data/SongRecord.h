#pragma once
// The songs file `Cadenzio` (prefix MUS, cdzdata): one record per song, the main catalogue.
#include <cstdint>
#include <string>

#include "runtime/data/FileDecl.h"
#include "runtime/text/Text.h"

namespace cdz {

struct SongRecord {
    Text<40> Artist;
    Text<40> Title;
    Text<40> Album;
    Text<20> Media;
    Text<20> FileNumber;
    int32_t ReleaseDate = 0;
    int32_t CategoryID = 0;  // 0: no category
    uint8_t ChartNumber = 0;
    uint8_t TrackNumber = 0;
    Text<1> Side;
    int32_t Time = 0;
    Text<30> UserDefinedKeyField;
    Text<80> AdditionalInformation1;
    Text<80> AdditionalInformation2;
    Text<80> AdditionalInformation3;
    int32_t BeatsPerMinute = 0;
    Text<30> Style;
    Text<80> Composer;
    int32_t LastPlayed = 0;
    int32_t ID = 0;
    int32_t AlbumID = 0;  // 0: on no album
    Text<2> Rating;
    std::string Recording;
    std::string PerformanceNotes;
    std::string Notes;

    // Keys in declaration order (indexes into declaration().keys()).
    enum Key : int {
        SongsByArtist,
        SongsByTitle,
        SongsByAlbum,
        SongsByMedia,
        SongsByCategory,
        SongsByChartNumber,
        SongsByUserDefinedKey,
        KeyID,
        KeyAlbumID,
        KeyBeatsPerMinute,
    };

    static const FileDecl& declaration();
};

}  // namespace cdz
