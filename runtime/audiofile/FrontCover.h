#pragma once
// The front picture embedded in a file, wherever its format keeps pictures: ID3v2 APIC frames
// (MP3, WAV, AIFF), FLAC PICTURE blocks, Vorbis comments' METADATA_BLOCK_PICTURE (Ogg Vorbis,
// Opus, Ogg FLAC), MP4 covr atoms and ASF WM/Picture attributes.
#include <optional>

namespace TagLib {
class File;
}

namespace cdz {

struct AudioPicture;

// The picture marked as the front cover, else the first one; pictures over kMaxCoverBytes and
// empty ones are passed over. Nothing when the file holds none.
std::optional<AudioPicture> readFrontCover(TagLib::File& file);

}  // namespace cdz
