#pragma once
// Gathers the songs a wizard-made label lists, through a songs handle of its own (the
// catalogue's song buffer and the browses' places stay as they were): the songs of an album,
// of one tape (media and file number), or of an album named on a song. At most
// LabelWizardText::kMostSongs are taken; `leftOut` tells that there were more.
#include <cstdint>
#include <vector>

#include "app/labels/LabelWizardText.h"

namespace cdz {

class Catalogue;
struct SongRecord;

struct LabelWizardGathering {
    std::vector<LabelWizardSong> songs;
    bool leftOut = false;
    int code = 0;  // the runtime code of a songs file that did not open, else 0
};

class LabelWizardSongs {
public:
    // The album's songs in track order; titles alone, but with their artists on an album of
    // various artists.
    static LabelWizardGathering ofAlbum(Catalogue& catalogue, std::int32_t albumId, bool various,
                                        bool artistFirst);
    // The songs on the tape of `chosen` (same media and file number), each with its artist;
    // when its file number is blank, the songs of its album and artist, titles alone.
    static LabelWizardGathering ofSong(Catalogue& catalogue, const SongRecord& chosen,
                                       bool artistFirst);
};

}  // namespace cdz
