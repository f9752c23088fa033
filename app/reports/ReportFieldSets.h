#pragma once
// The fields a query report offers the query wizard, as the library's description string: the
// album set (the album reports) and the song set (the song cards, the DJ log). The album set's
// media choices are the names of the media file, so every medium the user keeps can be chosen.
#include <string>
#include <vector>

namespace cdz {

class ReportFieldSets {
public:
    // `mediaNames` become the Media entry's drop-list choices; `withCategory` adds the
    // category name as a 19th field (the album rotary cards).
    static std::string albums(const std::vector<std::string>& mediaNames, bool withCategory);
    static const std::string& songs();
};

}  // namespace cdz
