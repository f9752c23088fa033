#pragma once
// A Discogs collection export, known by its header, and what one of its lines gives an album:
// the artist without Discogs' " (2)", the title, a media name from the format, the release
// date, the rating, and notes that keep the label, catalogue number, conditions, folder, the
// user's own collection fields, the collection notes and, last, the release id. Every value
// comes from outside: control characters go and texts are cut to their fields, the cuts
// counted.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/domain/data/AlbumRecord.h"
#include "app/songs/csv/CsvLineReader.h"

namespace cdz {

// Where the export keeps each value, by the labels of its first line.
struct DiscogsColumns {
    // A further "Collection X" column (a field the user added): X and its column.
    struct Extra {
        std::string name;
        size_t column = 0;
    };

    size_t count = 0;  // columns the header has
    size_t catalogNumber = 0;
    size_t artist = 0;
    size_t title = 0;
    size_t label = 0;
    size_t format = 0;
    size_t rating = 0;
    size_t released = 0;
    size_t releaseId = 0;
    size_t folder = 0;
    size_t dateAdded = 0;  // read by no field of the album
    std::optional<size_t> mediaCondition;
    std::optional<size_t> sleeveCondition;
    std::optional<size_t> notes;
    std::vector<Extra> extras;

    // The columns when the header is a Discogs collection export's: every one of its fixed
    // labels once (Catalog#, Artist, Title, Label, Format, Rating, Released, release_id,
    // CollectionFolder, Date Added) and only "Collection ..." labels besides.
    static std::optional<DiscogsColumns> of(std::span<const CsvField> header);
};

// The album one line gives, its values whole; storeInto() cuts them to the album's fields.
struct DiscogsAlbum {
    std::string artist;
    std::string title;
    std::string media;  // "" when the line gives no format
    int32_t releaseDate = 0;
    std::string rating;  // "1".."5", "" for unrated
    std::string notes;   // fitted to the notes' size already
    bool notesCut = false;
    // Told about the line without refusing it ("the rating \"9\" is not 0 to 5 ...").
    std::string remark;

    // Fills the album's fields (its number and the rest left alone) and gives how many values
    // had to be cut.
    int storeInto(AlbumRecord& album) const;
};

class DiscogsRelease {
public:
    // The album of a line, or why the line is no release (`why` set, nullopt returned).
    static std::optional<DiscogsAlbum> read(const DiscogsColumns& columns,
                                            std::span<const CsvField> fields, std::string* why);

    // "Nirvana (2)" -> "Nirvana": Discogs tells artists of one name apart by a number.
    static std::string artistName(std::string_view artist);
    // "2xCD, Comp" -> "CD", "Cass, Album" -> "Cassette", "File, FLAC" -> "FLAC".
    static std::string mediaName(std::string_view format);
    // The notes' lines: the labelled values, the free text, then the release line, kept whole
    // while the free text (and then the labelled lines) are cut to `mostChars`.
    static std::string notes(const std::vector<std::string>& labelled, std::string_view text,
                             const std::string& releaseLine, int mostChars, bool* cut);
};

}  // namespace cdz
