#pragma once
// The albums of a generated folder of audio files, drawn from a seed: who, what, which format,
// where each file goes (Artist/Album/NN Title.ext; Disc 1 and Disc 2 below a two-disc album's
// folder) and where its cover is kept. The same seed gives the same albums.
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "bench/generator/Rng.h"
#include "runtime/audiofile/AudioTags.h"
#include "tests/support/audio/AudioFormat.h"

namespace cdz::gen {

enum class CoverPlace {
    None,
    Embedded,  // in every file of the album
    Beside,    // cover.jpg in the album's folder
};

struct PlannedTrack {
    std::filesystem::path file;  // from the top of the generated folder
    AudioTags tags;              // without the cover, which the album gives
};

struct PlannedAlbum {
    std::filesystem::path folder;  // from the top of the generated folder
    test::AudioFormat format;
    CoverPlace cover = CoverPlace::None;
    uint64_t coverSeed = 0;
    std::vector<PlannedTrack> tracks;
};

class AlbumPlanner {
public:
    explicit AlbumPlanner(uint64_t seed);

    // The next album: 8 to 14 tracks, never more than maxTracks (the last album of a folder is
    // cut to end on its count of files).
    PlannedAlbum next(int maxTracks);

private:
    std::filesystem::path freeFolder(const std::string& artist, const std::string& album);

    Rng rng_;
    std::set<std::filesystem::path> folders_;
};

// A name for a file or folder: no slashes or control characters, no leading dot, at most about
// 100 bytes (cut between characters); "Untitled" when nothing is left.
std::string fileNameOf(const std::string& text);

}  // namespace cdz::gen
