#pragma once
// The name/value file `Configuration` (prefix CF, CDZConf). It is protected by the owner
// password below and stored enciphered: the data layer refuses to open it without the
// password, and the file shows no name or value to another reader.
#include <string_view>

#include "runtime/data/FileDecl.h"
#include "runtime/text/Text.h"

namespace cdz {

struct ConfigurationRecord {
    Text<40> DataType;
    Text<80> DataValue;

    enum Key : int { KeyDataType };

    // Passed on every open of the file (five characters, fixed by the program).
    static constexpr std::string_view kOwnerPassword = "Qv7#m";

    static const FileDecl& declaration();
};

}  // namespace cdz
