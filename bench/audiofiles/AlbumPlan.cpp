#include "bench/audiofiles/AlbumPlan.h"

#include <cstdio>

#include "bench/generator/NameMaker.h"
#include "bench/generator/WordLists.h"

namespace cdz::gen {

namespace {

constexpr std::size_t kLongestName = 100;
constexpr int kFewestTracks = 8;
constexpr int kMostTracks = 14;

// Shares per thousand albums.
constexpr unsigned kCompilations = 150;
constexpr unsigned kTwoDiscs = 100;
constexpr unsigned kWithIds = 600;
constexpr unsigned kFullDates = 400;
constexpr unsigned kWithComposers = 300;
// ... and per thousand tracks.
constexpr unsigned kFeaturing = 50;
constexpr unsigned kWithComment = 100;

std::string twoDigits(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number % 100);
    return text;
}

// A random (version 4) UUID as MusicBrainz writes its ids.
std::string uuid(Rng& rng) {
    const uint64_t high = rng.next();
    const uint64_t low = rng.next();
    char text[40];
    std::snprintf(text, sizeof text, "%08llx-%04llx-4%03llx-%04llx-%012llx",
                  static_cast<unsigned long long>(high >> 32),
                  static_cast<unsigned long long>((high >> 16) & 0xFFFF),
                  static_cast<unsigned long long>(high & 0xFFF),
                  static_cast<unsigned long long>(0x8000 | ((low >> 48) & 0x3FFF)),
                  static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFULL));
    return text;
}

test::AudioFormat pickFormat(Rng& rng) {
    const uint64_t r = rng.below(100);
    if (r < 35) return test::AudioFormat::Flac;
    if (r < 60) return test::AudioFormat::Mp3Id3v23;
    if (r < 80) return test::AudioFormat::Mp3;
    return test::AudioFormat::OggVorbis;
}

CoverPlace pickCover(Rng& rng) {
    const uint64_t r = rng.below(3);
    if (r == 0) return CoverPlace::Embedded;
    return r == 1 ? CoverPlace::Beside : CoverPlace::None;
}

// The fields every track of the album shares.
AudioTags albumTags(Rng& rng, bool compilation) {
    AudioTags tags;
    tags.albumArtist = compilation ? "Various Artists" : NameMaker::artistName(rng);
    tags.album = NameMaker::albumTitle(rng);
    const words::List genres = words::genres();
    tags.genre = genres[rng.below(genres.size())];
    tags.year = static_cast<int>(rng.range(1955, 2024));
    if (rng.chance(kFullDates)) {
        tags.month = static_cast<int>(rng.range(1, 12));
        tags.day = static_cast<int>(rng.range(1, 28));
    }
    if (rng.chance(kWithIds)) {
        tags.releaseId = uuid(rng);
        tags.releaseGroupId = uuid(rng);
        tags.albumArtistId = compilation ? "89ad4ac3-39f7-470e-963a-56509c546377" : uuid(rng);
    }
    return tags;
}

void fillTrack(Rng& rng, AudioTags& tags, bool compilation, bool withComposer) {
    tags.title = NameMaker::songTitle(rng);
    tags.artist = compilation ? NameMaker::artistName(rng) : tags.albumArtist;
    if (rng.chance(kFeaturing)) tags.artist += "; " + NameMaker::artistName(rng);
    if (withComposer) tags.composer = NameMaker::personName(rng);
    if (rng.chance(kWithComment)) tags.comment = NameMaker::sentence(rng, 8);
    if (!tags.releaseId.empty()) {
        tags.recordingId = uuid(rng);
        tags.trackId = uuid(rng);
        tags.artistId = compilation ? uuid(rng) : tags.albumArtistId;
    }
}

}  // namespace

std::string fileNameOf(const std::string& text) {
    std::string name;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) continue;
        name += c == '/' ? '-' : c;
    }
    if (name.size() > kLongestName) {
        std::size_t cut = kLongestName;
        // Back to the first byte of a character.
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    while (!name.empty() && (name.front() == '.' || name.front() == ' ')) name.erase(0, 1);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name.empty() ? "Untitled" : name;
}

AlbumPlanner::AlbumPlanner(uint64_t seed) : rng_(seed) {}

std::filesystem::path AlbumPlanner::freeFolder(const std::string& artist,
                                               const std::string& album) {
    const std::filesystem::path base =
        std::filesystem::path(fileNameOf(artist)) / fileNameOf(album);
    std::filesystem::path folder = base;
    for (int n = 2; !folders_.insert(folder).second; ++n) {
        folder = base;
        folder += " (" + std::to_string(n) + ")";
    }
    return folder;
}

PlannedAlbum AlbumPlanner::next(int maxTracks) {
    PlannedAlbum album;
    album.format = pickFormat(rng_);
    album.cover = pickCover(rng_);
    album.coverSeed = rng_.next();
    const bool compilation = rng_.chance(kCompilations);
    const bool twoDiscs = rng_.chance(kTwoDiscs);
    const bool withComposers = rng_.chance(kWithComposers);
    const AudioTags shared = albumTags(rng_, compilation);
    album.folder = freeFolder(shared.albumArtist, shared.album);

    const int drawn = static_cast<int>(rng_.range(kFewestTracks, kMostTracks));
    const int count = drawn < maxTracks ? drawn : maxTracks;
    const int firstDisc = twoDiscs ? (count + 1) / 2 : count;
    const std::string extension = "." + std::string(test::audioExtension(album.format));
    for (int i = 0; i < count; ++i) {
        PlannedTrack track{{}, shared};
        AudioTags& tags = track.tags;
        fillTrack(rng_, tags, compilation, withComposers);
        const bool second = i >= firstDisc;
        tags.track = second ? i - firstDisc + 1 : i + 1;
        tags.trackTotal = second ? count - firstDisc : firstDisc;
        if (twoDiscs) {
            tags.disc = second ? 2 : 1;
            tags.discTotal = 2;
        }
        const std::string name = twoDigits(tags.track) + " " + fileNameOf(tags.title);
        track.file = album.folder;
        if (twoDiscs) track.file /= "Disc " + std::to_string(tags.disc);
        track.file /= fileNameOf(name) + extension;
        album.tracks.push_back(std::move(track));
    }
    return album;
}

}  // namespace cdz::gen
