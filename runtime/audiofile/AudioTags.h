#pragma once
// What one audio file says about itself (its tags, length and format), read so that a folder of
// files can be added to the catalogue. A file that cannot be read is told apart by the reason the
// user sees in the list of skipped files; reading never throws.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace cdz {

struct AudioPicture {
    std::string mimeType;  // as tagged ("image/jpeg"); empty when the file names none
    std::string bytes;
};

// Pictures larger than this are left out: a cover is shown small, and a tag's size is
// whatever the file claims.
constexpr std::size_t kMaxCoverBytes = std::size_t{8} * 1024 * 1024;

struct AudioTags {
    std::string title, artist, albumArtist, album, genre, composer, comment;  // UTF-8
    int track = 0, trackTotal = 0, disc = 0, discTotal = 0;                   // 0: not tagged
    int year = 0, month = 0, day = 0;  // a full date, or the year alone (month/day 0)
    int lengthSeconds = 0;             // from the audio properties, rounded to the second
    // MusicBrainz ids where tagged: the recording, the release (album), its release group,
    // the track's artist, the album artist and the track on the release.
    std::string recordingId, releaseId, releaseGroupId, artistId, albumArtistId, trackId;
    std::optional<AudioPicture> frontCover;  // the embedded front picture, read only when asked
    std::string format;     // "FLAC", "MP3", "Ogg Vorbis", "Opus", "M4A", "WAV", "AIFF", "WMA"
    bool lossless = false;  // FLAC, WAV, AIFF, ALAC in M4A, WMA Lossless
};

enum class TagFault {
    None,
    NotAudio,    // "Not an audio file": an extension not taken, or content no reader knows
    Empty,       // "Empty file": zero length
    Unreadable,  // "Cannot be read: <the system's reason>": permission, I/O
    Damaged,     // "Damaged audio file": a known kind whose file or audio properties are invalid
};

struct TagReading {
    TagFault fault = TagFault::None;
    std::string reason;  // the words shown to the user; empty with TagFault::None
    AudioTags tags;
};

// Reads one file. Never throws; a tag that cannot be read leaves its fields blank and the file
// is still read. The front cover is read only when withCover is set.
TagReading readAudioTags(const std::filesystem::path& file, bool withCover);

// Whether the name's extension is one the reader takes (.flac .mp3 .ogg .oga .opus .m4a .mp4
// .wav .aif .aiff .wma), ignoring case.
bool isAudioFileName(const std::filesystem::path& file);

}  // namespace cdz
