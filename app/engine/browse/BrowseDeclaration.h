#pragma once
// What one browse declares to the engine: the file and the files joined to it, the sort
// orders with their range limits, locators and thumb estimates, the fields each row shows, and
// the texts of its popup menu.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "runtime/data/SqlValue.h"

namespace cdz {

class DataFile;

enum class LocatorKind {
    None,
    Incremental,  // typed characters build a prefix that is located by value
    Step,         // a typed letter steps through the records that begin with it
};

// How the scroll thumb of a sort order is estimated.
enum class ThumbKind {
    None,     // placed after each movement only
    Text,     // from a 100-point distribution of the locator component's texts
    Numeric,  // from the first and last numbers of the locator component
};

// A sort order limited to the records whose key begins with one value, taken from a field of
// another file or given by the browse (the media or category the user last picked).
struct RangeLimit {
    DataFile* sourceFile = nullptr;  // whose buffer holds the range value
    std::string source;              // the field the range is taken from ("MED:Media")
    std::string variable;            // the name its saved value is bound under for the filter text
    std::string filter;  // the range expression, e.g. "UPPER(MUS:Media) = UPPER(<variable>)"
    // When set, the range value comes from here instead of a buffer: for a value the browse's
    // own reads would overwrite (the category of a view joined to the categories file).
    std::function<SqlValue()> value = {};
    // The range expression says no more than "the key's first field equals the value" (a number
    // compared whole): the view's key prefix then stands for it, and the query filter alone is
    // left for SQLite to answer whole.
    bool prefixSaysAll = false;
};

struct SortOrder {
    std::string key;  // label of a key of the browsed file ("MUS:SongsByArtist")
    bool ranged = false;
    RangeLimit range;
    LocatorKind locator = LocatorKind::None;
    ThumbKind thumb = ThumbKind::None;
    int thumbWidth = 0;  // characters of the locator component the text estimate uses
    int thumbFlags = 0;  // character classes of the text estimate
};

struct BrowseDeclaration {
    DataFile* file = nullptr;  // the browsed file
    // Files joined to it: each with pairs (label in a file already in the view, its label).
    std::vector<std::pair<DataFile*, std::vector<std::pair<std::string, std::string>>>> joins;
    std::vector<SortOrder> sorts;  // at least one
    // The fields of each row, in the order the list format's columns show them.
    std::vector<std::string> rowFields;
    // The popup's first three items ("&Insert" or "&Add", "&Change", "&Delete").
    std::vector<std::string> popupItems = {"&Insert", "&Change", "&Delete"};
    bool hasSelectButton = true;
};

}  // namespace cdz
