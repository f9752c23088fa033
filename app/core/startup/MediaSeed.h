#pragma once
// The media names an empty catalogue starts with, added when the frame opens and the media file
// holds no records.
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

    // Adds the names to the open media file when it is empty. Returns 0 (also when it held
    // records) or the code of the add that failed, which ends the seeding.
    static int seedIfEmpty(DataFile& media, MediaRecord& record);
};

}  // namespace cdz
