#pragma once
// The labels file `Labels` (prefix LAB, cdzlabel): one record per designed CD or cassette
// label.
#include <cstdint>
#include <string>

#include "runtime/data/FileDecl.h"
#include "runtime/text/Decimal.h"
#include "runtime/text/Text.h"

namespace cdz {

struct LabelRecord {
    Decimal<6, 0> LabelID;
    Text<30> LabelDescription;
    Text<9> LabelType;
    int32_t AlbumID = 0;
    Text<100> CDSpine;
    int32_t CDSpineFontID = 0;
    Text<100> CDTitle;
    int32_t CDTitleFontID = 0;
    int32_t CDCoverTextFontID = 0;
    int32_t CDInsideTextFontID = 0;
    Text<6> CDSpineJustification;
    Text<6> CDTextJustification;
    Text<6> CDBackCoverJustification;
    int32_t CassetteFlapFontID = 0;
    int32_t CassetteTitleFontID = 0;
    int32_t CassetteContentsFontID = 0;
    Text<255> ImageName;
    int32_t ImagePositionX = 0;
    int32_t ImagePositionY = 0;
    Text<20> ImageSize;
    int32_t ImageSizeX = 0;
    Text<20> ImageSizeY;  // text, unlike ImageSizeX
    std::string CDCoverText;
    std::string CDInsideText;
    std::string CassetteFlap;
    std::string CassetteTitle;
    std::string CassetteContentsA;
    std::string CassetteContentsB;

    enum Key : int { KeyLabelID, KeyLabelDescription, KeyLabelType };

    static const FileDecl& declaration();
};

}  // namespace cdz
