#pragma once
// Distribution figures of generated songs, for `cdzgen --stats` and the generator's tests:
// artist popularity, share of songs on no album or category, Unicode share, duplicates, the
// longest line and field.
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "bench/generator/CatalogueRecords.h"

namespace cdz::gen {

class CatalogueStats {
public:
    // lineChars: characters of the song's CSV line (0 when not written).
    void addSong(const SongRecord& song, std::size_t lineChars);
    void write(std::ostream& out) const;

    int64_t songs() const { return songs_; }
    std::size_t artists() const { return perArtist_.size(); }
    int64_t topArtistSongs() const;
    // Songs of the median artist among the artists that have songs.
    int64_t medianArtistSongs() const;
    int64_t looseSongs() const { return looseSongs_; }
    int64_t songsWithoutCategory() const { return noCategory_; }
    int64_t songsWithoutNotes() const { return emptyNotes_; }
    int64_t songsWithNonAsciiNames() const { return nonAscii_; }
    int64_t titlesWithQuotes() const { return quotedTitles_; }
    int64_t titlesWithCommas() const { return commaTitles_; }
    // Songs whose (artist, title) an earlier song already had.
    int64_t repeatedArtistTitles() const { return repeatedPairs_; }
    int32_t highestAlbumID() const { return highestAlbumID_; }
    std::size_t longestLine() const { return longestLine_; }
    std::size_t longestField() const { return longestField_; }

private:
    int64_t songs_ = 0;
    std::unordered_map<std::string, int64_t> perArtist_;
    std::unordered_set<uint64_t> pairs_;
    int64_t looseSongs_ = 0;
    int64_t noCategory_ = 0;
    int64_t emptyNotes_ = 0;
    int64_t nonAscii_ = 0;
    int64_t quotedTitles_ = 0;
    int64_t commaTitles_ = 0;
    int64_t repeatedPairs_ = 0;
    int32_t highestAlbumID_ = 0;
    std::size_t longestLine_ = 0;
    std::size_t longestField_ = 0;
};

}  // namespace cdz::gen
