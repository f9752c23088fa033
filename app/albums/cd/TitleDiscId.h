#pragma once
// The disc ID by which the online title service knows an audio disc: a hash of its table of
// contents (the first and last audio track, where each starts and where the audio ends),
// computed by libdiscid when a lookup needs it. The album keeps its own disc identifier; this
// one is never stored in its place.
#include <string>

#include "runtime/cd/CdDevice.h"

namespace cdz {

class TitleDiscId {
public:
    // The 28-character ID of the disc read into `contents`; empty when its table of contents
    // cannot give one (no audio track, or sectors out of order).
    static std::string of(const CdContents& contents);
    // The table of contents as the service's address takes it: first and last track, the
    // lead-out and each track's start, separated by "+" (empty as above).
    static std::string tocText(const CdContents& contents);
};

}  // namespace cdz
