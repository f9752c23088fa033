#pragma once
// The label wizard's texts: a label's description, spine, titles and flap written from an
// album or from a song's file number, and the track listings built from the songs gathered,
// one line per song ("1. Title (3:25)"), sorted by side and track, Side A's listing holding
// the songs of side 1 (or "A"), Side B's those of side 2 (or "B"), both the songs of any other
// side. A listing that would pass its memo's length ends at the last whole line that fits.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cdz {

struct AlbumRecord;
struct LabelRecord;
struct SongRecord;

// One song gathered for the listings.
struct LabelWizardSong {
    std::string side;  // as stored: "1", "2", "A", "B", or anything else
    int track = 0;     // the song's track number, else its place in the gathering
    std::string text;  // its title (with the artist where the songs are of several)
};

class LabelWizardText {
public:
    // The most songs a label lists; a gathering that finds more tells the user.
    static constexpr int kMostSongs = 50;
    static constexpr const char* kUpdated = "The text has been updated to use this information.";
    static constexpr const char* kUpdatedTitle = "Processing Complete";

    // The texts of the album's label; the listings and picture are the caller's, once the
    // songs are gathered.
    static void fromAlbum(LabelRecord& label, const AlbumRecord& album, bool artistFirst);
    // The texts of the label for the tape (or album) of `song`; the picture stays as it was.
    static void fromSong(LabelRecord& label, const SongRecord& song, bool artistFirst);
    // Whether an album is of various artists, whose songs are listed with their artists.
    static bool isVarious(std::string_view artist);

    // A song's listed text: its title, with its artist when `withArtist`, and its length.
    static std::string songText(const SongRecord& song, bool withArtist, bool artistFirst);
    // " (3:25)", " (12:34)", " (1:02:03)" for a stored length; else the first additional
    // information when it reads like a length; else nothing.
    static std::string lengthSuffix(std::int32_t time, std::string_view information);

    // Replaces the four listings with the songs' lines; `delimiter` follows the track number
    // ("." when blank). Returns what the user is told of listings cut short.
    static std::vector<std::string> listings(LabelRecord& label, std::vector<LabelWizardSong> songs,
                                             std::string_view delimiter);
};

}  // namespace cdz
