#pragma once
// The favourite fonts file `Fonts` (prefix FON, cdzfont) that labels use.
#include "runtime/data/FileDecl.h"
#include "runtime/text/Decimal.h"
#include "runtime/text/Text.h"

namespace cdz {

struct FontRecord {
    Decimal<6, 0> FontID;
    Text<32> TypeFace;
    Text<32> Size;    // point size as text
    Text<32> Colour;  // colour as text
    Text<32> Style;   // weight and slant as text

    enum Key : int { KeyFontID, KeyTypeFace };

    static const FileDecl& declaration();
};

}  // namespace cdz
