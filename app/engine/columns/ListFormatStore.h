#pragma once
// Where a list keeps the layout the user gave it: under "SRCF" + the list's name in its window's
// section of the settings file, with "SRCFOriginal" + the name holding the design format that
// layout was made from, so that a program with a new design format starts from the new design.
#include <string>
#include <string_view>

namespace cdz {

class IniFile;
class ListFormat;

class ListFormatStore {
public:
    // section: the window's section ("BrowseSongs"); listName: the list control's name
    // ("?Browse", "?Browse:1").
    ListFormatStore(IniFile& ini, std::string section, const std::string& listName);

    // The format to give the list when its window opens, with its date pictures in the user's
    // date format: the saved layout when it was made from this design format and still reads
    // as a format; otherwise the design format, which becomes the one remembered.
    std::string open(std::string_view designFormat, std::string_view dateSetting);

    // Keeps the list's format at close. Date columns shown in a setting that is no date picture
    // ("n4b", year only) are kept as date pictures, so that the next open gives them the date
    // format of its day. False (and lastError() says why) when the text is no format or the
    // settings file could not be written; what was saved before stays.
    bool close(std::string_view currentFormat);

    std::string lastError() const { return lastError_; }

private:
    std::string keptDates(ListFormat format) const;

    IniFile& ini_;
    std::string section_;
    std::string savedKey_;        // "SRCF" + list name
    std::string originalKey_;     // "SRCFOriginal" + list name
    std::string design_;          // the design format given at open
    std::string appliedPicture_;  // the date picture given to the date columns at open
    std::string lastError_;
};

}  // namespace cdz
