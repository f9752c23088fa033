#pragma once
// The filter list of a file dialog: names and patterns paired by "|"
// ("All Files|*.*|GIF Files|*.GIF"), several patterns of one entry separated by ";". Patterns
// match file names regardless of case, and "*.*" matches every name, dot or not.
#include <string>
#include <string_view>
#include <vector>

class QString;

namespace cdz {

struct FileFilter {
    std::string name;
    std::vector<std::string> patterns;

    bool operator==(const FileFilter&) const = default;
};

// Entries in order; an entry without patterns is dropped. An empty list gives no entries.
std::vector<FileFilter> parseFileFilterList(std::string_view list);

// The same filters for QFileDialog::setNameFilters, as "Name (pattern pattern)", each pattern
// turned into a glob that ignores case ("*.GIF" -> "*.[gG][iI][fF]"). No entries give
// "All Files (*)".
std::vector<QString> toQtNameFilters(const std::vector<FileFilter>& filters);

// True when fileName matches one of the filter's patterns (as the Qt dialog would match it).
bool matchesFilter(const FileFilter& filter, std::string_view fileName);

}  // namespace cdz
