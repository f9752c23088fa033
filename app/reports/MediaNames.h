#pragma once
// The names of the media file, for the query wizard's Media choices: every medium the user
// keeps, read without leaving the shared media buffer or its use count changed.
#include <string>
#include <vector>

namespace cdz {

class Catalogue;

class MediaNames {
public:
    // The names in key order, blanks left out; none when the media file cannot be opened.
    static std::vector<std::string> read(Catalogue& catalogue);
};

}  // namespace cdz
