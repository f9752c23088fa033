#pragma once
// The bad-file marker: the name of the data file whose open is in progress, kept as `BadFile`
// in the application's section of the runtime's profile file. It is written before every open
// and cleared after, so a crash inside an open leaves the name behind for the next start.
#include <string>
#include <string_view>

#include "runtime/ini/IniFile.h"

namespace cdz {

class BadFileMarker {
public:
    static constexpr std::string_view kKey = "BadFile";
    // The runtime's profile file, in the data folder.
    static constexpr std::string_view kProfileFileName = "CDZRUN.INI";

    // `section` is the application name (the application tag).
    BadFileMarker(IniFile& profile, std::string section);

    void setSection(std::string section) { section_ = std::move(section); }
    const std::string& section() const { return section_; }

    // The marked file's name, "" when none.
    std::string read() const;
    // False when the profile file could not be written.
    bool set(std::string_view fileName);
    bool clear() { return set({}); }

private:
    IniFile& profile_;
    std::string section_;
};

}  // namespace cdz
