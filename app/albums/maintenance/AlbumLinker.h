#pragma once
// Finds the album a song belongs to, as both linking passes do: the album of the song's title
// and artist, else the compilation ("Various") of its title; and makes one from the song when
// there is none. It remembers the last title and artist asked about, since the songs of one
// album come together. A blank title belongs to no album.
#include <cstdint>
#include <string>

#include "app/domain/data/Catalogue.h"

namespace cdz {

class AlbumLinker {
public:
    explicit AlbumLinker(Catalogue& catalogue) : catalogue_(catalogue) {}

    // 0 with the album's number in `albumId` (0 when there is none), or the failed read's code.
    int find(const SongRecord& song, int32_t& albumId);
    // Adds the album of the song's title, artist and details; 0 with its number, or the add's
    // code with the album not added (`albumId` then 0). Remembered like a find.
    int create(const SongRecord& song, int32_t& albumId);
    // 0 with `found` telling whether an album has this number, or the failed read's code.
    int exists(int32_t albumId, bool& found);
    // Whether the song's album is the one whose add failed last: it is not tried again for
    // each of its songs.
    bool refused(const SongRecord& song) const;
    // Remembers `albumId` as the answer for the song's title and artist.
    void remember(const SongRecord& song, int32_t albumId);
    // Drops what is remembered: another station may have changed the albums since.
    void forget();

    static bool blankTitle(const SongRecord& song) { return song.Album.empty(); }

private:
    int read(std::string_view artist, std::string_view title, bool& found);
    bool recalled(const SongRecord& song, int32_t& albumId) const;

    Catalogue& catalogue_;
    bool known_ = false;
    std::string artist_;
    std::string title_;
    int32_t albumId_ = 0;
    bool refused_ = false;
    int32_t existing_ = 0;  // the last number found to exist
};

}  // namespace cdz
