#pragma once
// Record buffers shaped like the program's songs, albums and helper variables, bound under the
// names the program's filter texts use.
#include <cstdint>
#include <string>

#include "runtime/expr/Bindings.h"
#include "runtime/text/Decimal.h"
#include "runtime/text/Text.h"

namespace cdz::test {

struct TestCatalogue {
    // songs (MUS)
    Text<40> musTitle, musArtist;
    Text<20> musMedia;
    Text<1> musSide;
    Text<2> musRating;
    int32_t musCategoryId = 0, musBeatsPerMinute = 0, musAlbumId = 0, musReleaseDate = 0;
    uint8_t musChartNumber = 0;
    std::string musNotes;
    // albums (ALB)
    Text<40> albArtist;
    Text<2> albRating;
    int32_t albAlbumId = 0;
    uint8_t albLoaned = 0;  // a check box
    // browse range values and other variables
    Text<20> rangeMedia;
    Decimal<6, 0> rangeCategory;
    int32_t brw2AlbumId = 0;
    int32_t awInstance = 0, threadInstance = 0;
    int32_t labLabelId = 0, savedLabelId = 0;
    Text<30> queryClassName, localClassName;
    int32_t plaPlaylistId = 0, pldPlaylistId = 0;
    Decimal<7, 2> albPrice;

    Bindings bindings() const {
        Bindings b;
        b.bind("MUS:Title", &musTitle);
        b.bind("MUS:Artist", &musArtist);
        b.bind("MUS:Media", &musMedia);
        b.bind("MUS:Side", &musSide);
        b.bind("MUS:Rating", &musRating);
        b.bind("MUS:CategoryID", &musCategoryId);
        b.bind("MUS:BeatsPerMinute", &musBeatsPerMinute);
        b.bind("MUS:AlbumID", &musAlbumId);
        b.bind("MUS:ReleaseDate", &musReleaseDate);
        b.bind("MUS:ChartNumber", &musChartNumber);
        b.bind("MUS:Notes", &musNotes);
        b.bind("ALB:Artist", &albArtist);
        b.bind("ALB:Rating", &albRating);
        b.bind("ALB:AlbumID", &albAlbumId);
        b.bind("ALB:Loaned", &albLoaned);
        b.bindDecimal("ALB:Price", albPrice.rawPtr(), albPrice.spec);
        b.bind("BRW1::Sort3:Reset:MED:Media", &rangeMedia);
        b.bindDecimal("BRW1::Sort4:Reset:CAT:CategoryID", rangeCategory.rawPtr(),
                      rangeCategory.spec);
        b.bind("BRW2::Sort1:Reset:ALB:AlbumID", &brw2AlbumId);
        b.bind("AW:Instance", &awInstance);
        b.bind("ThreadInstance", &threadInstance);
        b.bind("LAB:LabelID", &labLabelId);
        b.bind("Report:Save::LAB:LabelID", &savedLabelId);
        b.bind("XRQW_QR:ClassName", &queryClassName);
        b.bind("LOC:ClassName", &localClassName);
        b.bind("PLA:PlaylistID", &plaPlaylistId);
        b.bind("PLD:PlaylistID", &pldPlaylistId);
        return b;
    }
};

}  // namespace cdz::test
