#pragma once
// Numbers a playlist's entries 1, 2, 3 ... in their present order, as the chart printout
// does before it prints. All in one transaction: the entries are renumbered all or not at
// all, so no two ever share a number and none is lost, however the printout ends.
#include <cstdint>

namespace cdz {

class Catalogue;

class PlaylistRenumber {
public:
    // 0, or the runtime code of the failure (the catalogue's error state says more) with
    // nothing changed. `changed` receives how many entries took a new number.
    static int run(Catalogue& catalogue, int32_t playlistId, int64_t* changed = nullptr);
};

}  // namespace cdz
