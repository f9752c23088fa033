#pragma once
// Album pictures taken from audio files: each written once into the picture folder beside the
// data files, named by a hash of the album's artist and title, replaced whole or not at all,
// and only when it is a picture the program can show (it is decoded first).
#include <filesystem>
#include <string>
#include <string_view>

#include "runtime/audiofile/AudioTags.h"

namespace cdz {

class AlbumPictures {
public:
    // The picture folder: "Pictures" in the catalogue's folder.
    explicit AlbumPictures(const std::filesystem::path& dataFolder);

    // The path the album's picture is stored under; empty with `why` told when it was not
    // stored (not a picture, a path longer than `longest` characters, a write that failed).
    std::string store(std::string_view artist, std::string_view title, const AudioPicture& picture,
                      int longest, std::string* why) const;
    // Reads a picture file beside the audio files (at most 8 MB); false with `why` when not.
    static bool load(const std::filesystem::path& file, AudioPicture& picture, std::string* why);

private:
    std::filesystem::path folder_;
};

}  // namespace cdz
