#pragma once
// Finds the album a song belongs to, as both linking passes do: the album of the song's title
// and artist, else the compilation ("Various") of its title; and makes one from the song when
// there is none. It remembers the last title and artist asked about, since the songs of one
// album come together, and what a batch's songs were noted to need, read together before the
// batch is linked. A blank title belongs to no album.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "runtime/data/SqlValue.h"

namespace cdz {

class AlbumLinker {
public:
    // The artist a compilation's album is filed under.
    static constexpr std::string_view kCompilationArtist = "Various";

    explicit AlbumLinker(Catalogue& catalogue) : catalogue_(catalogue) {}

    // 0 with the album's number in `albumId` (0 when there is none), or the failed read's code.
    int find(const SongRecord& song, int32_t& albumId);
    // Adds the album of the song's title, artist and details; 0 with its number, or the add's
    // code with the album not added (`albumId` then 0). Remembered like a find. The albums of
    // a batch are added together where the storage sends adds together (a server): they are
    // stored by endAdds(), and a refusal then fails the batch.
    int create(const SongRecord& song, int32_t& albumId);
    // The batch's albums stored; 0, or the code of the failure.
    int endAdds();
    // Every album from now on added by itself, so that a refusal names its album; false when
    // that was so already.
    bool addOneByOne() { return std::exchange(together_, false); }
    // 0 with `found` telling whether an album has this number, or the failed read's code.
    int exists(int32_t albumId, bool& found);
    // Whether the song's album is the one whose add failed last: it is not tried again for
    // each of its songs.
    bool refused(const SongRecord& song) const;
    // Remembers `albumId` as the answer for the song's title and artist.
    void remember(const SongRecord& song, int32_t albumId);
    // Drops what is remembered: another station may have changed the albums since.
    void forget();

    // Whether noting songs saves anything where the albums are kept (a server).
    bool looksAhead();
    // Gathers what the song will be asked about: the albums of its title (its artist's and
    // the compilation's), and whether its album number exists when `withNumber`.
    void note(const SongRecord& song, bool withNumber);
    // Reads every album noted since forget() in a few statements (instead of one each); later
    // finds and exists of them are answered from what was read. 0, or the failed read's code.
    int lookUp();

    static bool blankTitle(const SongRecord& song) { return song.Album.empty(); }

private:
    int read(std::string_view artist, std::string_view title, bool& found);
    bool recalled(const SongRecord& song, int32_t& albumId) const;
    // The album key's stored values for this artist and title (left in the album buffer).
    SqlValues titleKey(std::string_view artist, std::string_view title);
    // What the batch's look-up answered for this artist and title: the album's number, 0 for
    // none; null when it was not asked.
    const int32_t* looked(std::string_view artist, std::string_view title);

    Catalogue& catalogue_;
    bool known_ = false;
    std::string artist_;
    std::string title_;
    int32_t albumId_ = 0;
    bool refused_ = false;
    int32_t existing_ = 0;  // the last number found to exist
    bool adding_ = false;   // the batch's adds are begun
    bool together_ = true;  // adds go together where the storage sends them so
    // Noted for the batch's look-up, and then its answers (a number of 0: no album).
    std::optional<bool> looksAhead_;  // asked once the files are open
    std::vector<SqlValues> notedTitles_;
    std::string notedArtist_;  // of the last song noted
    std::string notedTitle_;
    std::vector<int32_t> notedNumbers_;
    std::map<SqlValues, int32_t> titles_;
    std::map<int32_t, bool> numbers_;
};

}  // namespace cdz
