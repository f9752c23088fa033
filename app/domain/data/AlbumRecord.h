#pragma once
// The albums file `Album` (prefix ALB, cdzalbum): one record per album.
#include <cstdint>
#include <string>

#include "runtime/data/FileDecl.h"
#include "runtime/text/Decimal.h"
#include "runtime/text/Text.h"

namespace cdz {

struct AlbumRecord {
    int32_t AlbumID = 0;
    Text<40> Artist;
    Text<40> Album;
    Text<20> Media;
    Text<20> FileNumber;
    int32_t ReleaseDate = 0;
    Decimal<6, 0> CategoryID;  // the same numbers as the LONG MUS:CategoryID
    Text<128> AssociatedWAVFile;
    Text<128> AssociatedImage;
    Text<24> CDIdentifier;
    Text<32> XCCD;
    Text<70> Playlist;
    int32_t TotalTime = 0;
    Text<2> Rating;
    Decimal<4, 2> PurPrice;
    int32_t PurchaseDate = 0;
    Decimal<4, 2> Value;
    std::string Recording;
    std::string Performance;
    std::string Notes;

    enum Key : int { KeyAlbumID, KeyAlbum, KeyArtist, KeyCDIdentifier };

    static const FileDecl& declaration();
};

}  // namespace cdz
