#pragma once
// The media file `Media` (prefix MED, cdzmedia): the list of media names. The name itself is
// what songs and albums refer to.
#include "runtime/data/FileDecl.h"
#include "runtime/text/Text.h"

namespace cdz {

struct MediaRecord {
    Text<20> Media;

    enum Key : int { KeyMedia };

    static const FileDecl& declaration();
};

}  // namespace cdz
