#pragma once
// Where a browse keeps its column layout between runs: thirteen keys in its section of the
// settings file, each "Colvue" + what it holds + "-" + the list's name, the first one the
// layout's version. A layout of another version (an older program's) is not read at all, and the
// next save writes the current one over it.
#include <string>

namespace cdz {

class ColumnLayout;
class IniFile;

class ColumnLayoutStore {
public:
    // section: the browse's ("BrowseSongs"); listName: the list's ("?Browse"); version: the
    // layout version the browse writes and expects (1 for the song browse).
    ColumnLayoutStore(IniFile& ini, std::string section, std::string listName, int version);

    // Reads the layout into `layout` when the saved version is this one; false (nothing
    // changes) otherwise. Each value that does not read as its kind, and a format that is no
    // format of the browse's columns, keeps the layout's current one. The list's place and
    // size are read only when the browse keeps them. Saved date columns take dateSetting.
    bool restore(ColumnLayout& layout, bool keepsPlace, const std::string& dateSetting) const;
    // False (lastError() says why) when the settings file could not be written.
    bool save(const ColumnLayout& layout);

    std::string lastError() const { return lastError_; }

private:
    std::string key(const char* what) const;
    std::string read(const char* what) const;

    IniFile& ini_;
    std::string section_;
    std::string listName_;
    int version_;
    std::string lastError_;
};

}  // namespace cdz
