#pragma once
// The song fields offered to the query wizard (the song browse's search, the song reports'
// criteria), in the order it is given them. Each is described from its file's declaration: its
// picture (a text's), size and kind of data follow the declared type and width; only what the
// declaration does not hold (a number's picture, a drop list's choices) is named beside it.
#include <string>
#include <vector>

namespace cdz {

// A field offered to the query wizard, as its entry in the wizard's description gives it.
struct QueryField {
    std::string name;     // "ReleaseDate": the program's name, spelt as words when offered
    std::string source;   // "MUS:ReleaseDate"
    std::string picture;  // "@d2"
    int size = 0;         // the declared bytes; a memo's maximum characters
    int dataKind = 1;     // 1 text, 2 number, date or time
    int entryKind = 1;    // 1 typed, 3 chosen from the choices
    std::string choices;  // " (N/A)|A|B|1|2"
};

// `withMediaList`: the media file's names (MED:Media, named "MediaList") are offered second,
// beside the song's own medium, as users know either.
std::vector<QueryField> songQueryFields(bool withMediaList);

}  // namespace cdz
