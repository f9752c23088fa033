#pragma once
// What the program reads from the disc in a drive: the track count, the disc's and each track's
// length as time values, the identifier the album keeps to recognise the disc again, and the
// titles and performers of its CD-Text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/cd/CdDevice.h"

namespace cdz {

struct CdDisc {
    int trackCount = 0;
    int32_t discTime = 0;
    std::vector<int32_t> trackTimes;  // in track order
    std::string identifier;           // at most 24 characters
    CdText text;                      // empty when the disc carries none
    CdContents contents;              // the table of contents as read, for the title service

    // Opens the device, reads the disc and closes the device again, whatever happens.
    static CdFault read(CdDevice& device, CdDisc& disc);

    // The track count in two positions (" 9"), then the disc's time value and those of the
    // first three tracks as plain numbers, the text held to 24 characters.
    static std::string identifierOf(int trackCount, int32_t discTime,
                                    const std::vector<int32_t>& trackTimes);
};

// What the user is told of a fault ("CD player not ready."); empty for None.
std::string_view cdFaultText(CdFault fault);

}  // namespace cdz
