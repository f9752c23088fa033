#pragma once
// When this build of the program was created and last changed, stamped in when it was
// configured, for the "Compile Information" window.
#include <cstdint>
#include <string_view>

namespace cdz {

struct BuildStamp {
    std::int32_t createdDate = 0;  // day numbers and time values (0 when unknown)
    std::int32_t createdTime = 0;
    std::int32_t changedDate = 0;
    std::int32_t changedTime = 0;

    // This build's stamp.
    static BuildStamp current();
    // A stamp from "YYYYMMDDhhmmss" texts; a malformed text gives zeros for its date and time.
    static BuildStamp parse(std::string_view created, std::string_view changed);
    // "32-bit" or "64-bit": what this build really is.
    static const char* wordSize();
};

}  // namespace cdz
