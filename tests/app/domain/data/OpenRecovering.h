#pragma once
// The shared open routine's recovery, for tests that open a catalogue without the program's
// routine: a file left locked by a killed transaction opens after the driver's recovery option.
#include "app/domain/data/Catalogue.h"

namespace cdz::test {

inline int openRecovering(DataFile& file) {
    int code = Catalogue::openOrCreate(file);
    if (code == err::kFileLocked) {
        file.send("Recover=10");
        code = Catalogue::openOrCreate(file);
    }
    return code;
}

}  // namespace cdz::test
