#pragma once
// The album form opened from the album browse over an album with 20 songs: its figures join the
// browse's under their own names. Empty until the album form is part of the program.
#include <string>

#include "app/engine/state/AppState.h"
#include "bench/songbrowse/Samples.h"

namespace cdz {
class AlbumBrowse;
}

namespace cdz::bench {

class AlbumFormTimings {
public:
    // Adds "open the album form (20 songs)" and the like to `engine` and `window`; false, with
    // `failure` set, when the form could not be opened and timed.
    static bool run(AppState& state, AlbumBrowse& browse, Samples& engine, Samples& window,
                    std::string& failure);
};

}  // namespace cdz::bench
