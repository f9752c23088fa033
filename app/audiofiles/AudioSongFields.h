#pragma once
// What an audio file's tags give its song: each field as the catalogue holds it, chosen the
// way a collector names a file with no tags (its title from the file's name, its album from
// its folder's), and stored into a song buffer with every value cut to its field counted.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "app/domain/data/SongRecord.h"
#include "runtime/audiofile/AudioTags.h"

namespace cdz {

// The media name a scan gives its songs: lossless files one name ("CD" unless the user says
// otherwise), lossy ones their format's name ("MP3", "OGG", "OPUS", "M4A", "WMA") where the
// media file holds it, else the same name as the lossless ones.
struct MediaChoice {
    std::string lossless = "CD";
    // Whether the media file holds this name (compared as the media key compares).
    std::function<bool(std::string_view)> known;

    std::string forFile(const AudioTags& tags) const;
};

struct AudioSongFields {
    std::string title;
    std::string artist;
    std::string album;
    std::string albumArtist;   // who the album is by: the album artist, else the artist
    bool compilation = false;  // "Various Artists", or an album artist other than the artist
    std::string media;
    std::string genre;
    std::string composer;
    std::string notes;
    int track = 0;
    int disc = 0;             // 0 unless the release has more than one disc
    int32_t releaseDate = 0;  // a day, or a bare year
    int32_t time = 0;         // the length as the songs file keeps times

    static AudioSongFields of(const AudioTags& tags, const std::filesystem::path& file,
                              const MediaChoice& media);
    // Stores every field but the category into `song`, leaving its number and album alone;
    // returns how many values were cut to fit their fields.
    int storeInto(SongRecord& song) const;
};

// A short hash of the song fields a scan writes, as the song holds them: a song whose hash
// differs from the one noted when the scan wrote it was edited since.
std::string scannedFieldsHash(const SongRecord& song);

}  // namespace cdz
