#pragma once
// Plain records of a generated catalogue, one member per field of the program's files (songs
// file `Cadenzio`, `Album`, `Categories`), texts already cut to their field widths.
#include <cstddef>
#include <cstdint>
#include <string>

namespace cdz::gen {

// Field widths in characters.
namespace width {
inline constexpr std::size_t kArtist = 40;
inline constexpr std::size_t kTitle = 40;
inline constexpr std::size_t kAlbum = 40;
inline constexpr std::size_t kMedia = 20;
inline constexpr std::size_t kFileNumber = 20;
inline constexpr std::size_t kSide = 1;
inline constexpr std::size_t kUserDefinedKey = 30;
inline constexpr std::size_t kAdditionalInformation = 80;
inline constexpr std::size_t kStyle = 30;
inline constexpr std::size_t kComposer = 80;
inline constexpr std::size_t kRating = 2;
inline constexpr std::size_t kShortMemo = 256;  // Recording, PerformanceNotes
inline constexpr std::size_t kNotes = 2000;
inline constexpr std::size_t kAssociatedFile = 128;
inline constexpr std::size_t kCDIdentifier = 24;
inline constexpr std::size_t kXCCD = 32;
inline constexpr std::size_t kPlaylist = 70;
inline constexpr std::size_t kCategory = 30;
}  // namespace width

// Dates are day numbers (0: none), times hundredths of a second plus 1 (0: none).
struct SongRecord {
    std::string Artist;
    std::string Title;
    std::string Album;
    std::string Media;
    std::string FileNumber;
    int32_t ReleaseDate = 0;
    int32_t CategoryID = 0;
    uint8_t ChartNumber = 0;
    uint8_t TrackNumber = 0;
    std::string Side;
    int32_t Time = 0;
    std::string UserDefinedKeyField;
    std::string AdditionalInformation1;
    std::string AdditionalInformation2;
    std::string AdditionalInformation3;
    int32_t BeatsPerMinute = 0;
    std::string Style;
    std::string Composer;
    int32_t LastPlayed = 0;
    int32_t ID = 0;
    int32_t AlbumID = 0;
    std::string Rating;
    std::string Recording;
    std::string PerformanceNotes;
    std::string Notes;
};

// Money in cents (DECIMAL(4,2) on file).
struct AlbumRecord {
    int32_t AlbumID = 0;
    std::string Artist;
    std::string Album;
    std::string Media;
    std::string FileNumber;
    int32_t ReleaseDate = 0;
    int32_t CategoryID = 0;
    std::string AssociatedWAVFile;
    std::string AssociatedImage;
    std::string CDIdentifier;
    std::string XCCD;
    std::string Playlist;
    int32_t TotalTime = 0;
    std::string Rating;
    int32_t PurPriceCents = 0;
    int32_t PurchaseDate = 0;
    int32_t ValueCents = 0;
    std::string Recording;
    std::string Performance;
    std::string Notes;
};

struct CategoryRecord {
    int32_t CategoryID = 0;
    std::string Category;
};

}  // namespace cdz::gen
