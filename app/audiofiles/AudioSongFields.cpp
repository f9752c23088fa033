#include "app/audiofiles/AudioSongFields.h"

#include <QCryptographicHash>

#include "runtime/text/DateTime.h"
#include "runtime/text/Text.h"

namespace cdz {
namespace {

constexpr std::string_view kVariousArtists = "Various Artists";
constexpr int kLongestNotes = 2000;

// The name a collector knows a lossy format by, as a media name.
std::string_view formatMedia(std::string_view format) {
    if (format == "MP3") return "MP3";
    if (format == "Ogg Vorbis") return "OGG";
    if (format == "Opus") return "OPUS";
    if (format == "M4A") return "M4A";
    if (format == "WMA") return "WMA";
    return {};
}

int32_t releaseDateOf(const AudioTags& tags) {
    if (tags.year <= 0) return 0;
    if (tags.month >= 1 && tags.month <= 12 && tags.day >= 1 &&
        tags.day <= daysInMonth(tags.year, tags.month)) {
        if (const int32_t day = dateFromYmd(tags.year, tags.month, tags.day)) return day;
    }
    return tags.year <= kLastBareYear ? tags.year : 0;
}

// Stores `value` into a text field; 1 when it had to be cut.
int store(TextField& field, std::string_view value) {
    field = value;
    return field.clipped() == clip(value) ? 0 : 1;
}

}  // namespace

std::string MediaChoice::forFile(const AudioTags& tags) const {
    if (!tags.lossless) {
        const std::string_view name = formatMedia(tags.format);
        if (!name.empty() && known && known(name)) return std::string(name);
    }
    return lossless;
}

AudioSongFields AudioSongFields::of(const AudioTags& tags, const std::filesystem::path& file,
                                    const MediaChoice& media) {
    AudioSongFields f;
    f.title = tags.title.empty() ? file.stem().string() : tags.title;
    f.artist = tags.artist.empty() ? tags.albumArtist : tags.artist;
    f.album = tags.album.empty() ? file.parent_path().filename().string() : tags.album;
    f.albumArtist = tags.albumArtist.empty() ? f.artist : tags.albumArtist;
    f.compilation = tags.albumArtist == kVariousArtists ||
                    (!tags.albumArtist.empty() && tags.albumArtist != f.artist);
    f.media = media.forFile(tags);
    f.genre = tags.genre;
    f.composer = tags.composer;
    f.notes = tags.comment;
    f.track = tags.track;
    f.disc = tags.discTotal > 1 || tags.disc > 1 ? tags.disc : 0;
    f.releaseDate = releaseDateOf(tags);
    f.time = tags.lengthSeconds > 0 ? timeFromHms(0, 0, tags.lengthSeconds) : 0;
    return f;
}

int AudioSongFields::storeInto(SongRecord& song) const {
    int cut = store(song.Title, title) + store(song.Artist, artist) + store(song.Album, album) +
              store(song.Media, media) + store(song.Composer, composer);
    song.TrackNumber = static_cast<uint8_t>(track > 0 && track <= 255 ? track : 0);
    cut += track > 255 ? 1 : 0;
    // A side is one character: discs 1 to 9.
    song.Side = disc > 0 && disc <= 9 ? std::string(1, static_cast<char>('0' + disc)) : "";
    cut += disc > 9 ? 1 : 0;
    song.ReleaseDate = releaseDate;
    song.Time = time;
    song.Notes = std::string(cutChars(notes, kLongestNotes));
    cut += song.Notes.size() < notes.size() ? 1 : 0;
    return cut;
}

std::string scannedFieldsHash(const SongRecord& song) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    auto add = [&](std::string_view value) {
        hash.addData(QByteArrayView(value.data(), static_cast<qsizetype>(value.size())));
        hash.addData(QByteArrayView("|", 1));
    };
    for (const TextField* field : std::initializer_list<const TextField*>{
             &song.Title, &song.Artist, &song.Album, &song.Media, &song.Composer, &song.Side}) {
        add(field->clipped());
    }
    add(song.Notes);
    for (const int64_t number : {int64_t{song.TrackNumber}, int64_t{song.ReleaseDate},
                                 int64_t{song.Time}, int64_t{song.CategoryID}}) {
        add(std::to_string(number));
    }
    return hash.result().toHex().left(16).toStdString();
}

}  // namespace cdz
