#pragma once
// Writes a generated folder of tagged silent audio files (FLAC, MP3 and Ogg Vorbis albums), the
// load the catalogue's folder scan is measured on.
#include <cstdint>
#include <filesystem>
#include <functional>

namespace cdz::gen {

struct AudioLibraryCounts {
    int files = 0;
    int albums = 0;
    int flac = 0, mp3 = 0, ogg = 0;  // files of each format
    int embeddedCovers = 0;          // albums whose files carry their cover
    int coverFiles = 0;              // albums with a cover.jpg beside their files
};

// Writes `files` files into `into` (made when missing). `progress` is told the files written so
// far after each album. Throws std::runtime_error (or a filesystem error) when a file cannot be
// written.
AudioLibraryCounts writeAudioLibrary(const std::filesystem::path& into, int files, uint64_t seed,
                                     const std::function<void(int)>& progress);

}  // namespace cdz::gen
