#pragma once
// The media names an empty catalogue starts with, added when the frame opens and the media file
// holds no records. All twelve or none: a program killed while seeding leaves an empty list for
// the next start to seed, and of two programs starting at once the second finds the names.
#include <array>
#include <string_view>

namespace cdz {

class DataFile;
struct MediaRecord;

class MediaSeed {
public:
    // In the order they are added. The media field holds 20 characters, so "Cassette
    // (Prerecorded)" is stored cut to its first 20, as any longer name typed into it would be.
    static const std::array<std::string_view, 12>& names();

    // How long the seeding waits for another station writing the media file.
    static constexpr int kWaitMs = 5000;

    // Adds the names to the open media file when it is empty, in one transaction that judges
    // the emptiness inside it. Returns 0 (also when it held records) or the code of the
    // failure, which leaves the file as it was.
    static int seedIfEmpty(DataFile& media, MediaRecord& record);
};

}  // namespace cdz
