#pragma once
// The bad-file marker: the name of the data file whose open is in progress, kept as `BadFile`
// in the application's section of the runtime's profile file. It is written before every open
// and cleared after, so a crash inside an open leaves the name behind for the next start. While a
// name is marked the program holds the opening lock, so that another program starting in the
// same folder at that moment does not take a live open for a crash.
#include <string>
#include <string_view>

#include "app/domain/opening/OpeningLock.h"
#include "runtime/ini/IniFile.h"

namespace cdz {

class BadFileMarker {
public:
    static constexpr std::string_view kKey = "BadFile";
    // The runtime's profile file, in the data folder.
    static constexpr std::string_view kProfileFileName = "CDZRUN.INI";
    // Beside the profile file: the file the opening lock is taken on.
    static constexpr std::string_view kOpeningLockSuffix = ".opening";

    // `section` is the application name (the application tag).
    BadFileMarker(IniFile& profile, std::string section);

    void setSection(std::string section) { section_ = std::move(section); }
    const std::string& section() const { return section_; }

    // The marked file's name, "" when none.
    std::string read() const;
    // The name a program left marked when it ended inside an open: "" when none is marked, and
    // also when the marked open is going on in a running program.
    std::string readLeftBehind();
    // False when the profile file could not be written.
    bool set(std::string_view fileName);
    bool clear() { return set({}); }

private:
    IniFile& profile_;
    std::string section_;
    OpeningLock opening_;
};

}  // namespace cdz
