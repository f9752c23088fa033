#pragma once
// Why a file operation failed, in two parts: what could not be done (naming the file) and the
// cause (the system's error text, or the rule broken), so a message to the user can name the
// file and the cause in its own words.
#include <string>

namespace cdz {

struct FileError {
    std::string action;  // "cannot write /data/.CDZSETS.INI.tmp-12-34"; empty when none
    std::string cause;   // "No space left on device"

    static FileError fromErrno(std::string action, int errnum);
    explicit operator bool() const { return !action.empty(); }
    std::string text() const { return action.empty() ? std::string() : action + ": " + cause; }
};

}  // namespace cdz
