#include "bench/generator/AlbumGenerator.h"

#include <cstdio>

#include "bench/generator/FieldMaker.h"
#include "bench/generator/NameMaker.h"
#include "bench/generator/TextCut.h"

namespace cdz::gen {

namespace {

constexpr uint64_t kAlbumStream = 0x414c42554d000000ULL;
// Share per mille of albums by an artist not heard before: with it most of the artist pool
// appears in the catalogue, while the other albums follow popularity.
constexpr unsigned kDebutShare = 600;

// A bijection of 32-bit numbers: distinct album numbers give distinct CD identifiers.
uint32_t scramble(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

std::string cdIdentifier(uint64_t seed, int32_t id, std::size_t tracks) {
    // Adding a constant keeps the mapping one-to-one.
    const auto offset = static_cast<uint32_t>(mixSeed(seed, kAlbumStream));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%08X-%02X", scramble(static_cast<uint32_t>(id) + offset),
                  static_cast<unsigned>(tracks));
    return buf;
}

std::string trackOrder(std::size_t tracks) {
    std::string out;
    for (std::size_t i = 1; i <= tracks; ++i) {
        if (!out.empty()) out += ',';
        out += std::to_string(i);
    }
    return cutToChars(out, width::kPlaylist);
}

}  // namespace

AlbumGenerator::AlbumGenerator(const CatalogueShape& shape, const ArtistPool& artists)
    : shape_(shape),
      artists_(artists),
      categories_(static_cast<uint32_t>(shape.categories > 0 ? shape.categories : 1), 3) {}

void AlbumGenerator::makeUniqueTitle(Rng& rng) {
    AlbumRecord& a = plan_.record;
    a.Album = (!plan_.compilation && rng.chance(30)) ? cutToChars(a.Artist, width::kAlbum)
                                                     : NameMaker::albumTitle(rng);
    std::string key = a.Artist + '\n' + a.Album;
    // Popular artists draw the same words again; a numbered suffix keeps (album, artist)
    // unique as the album keys require.
    for (int n = 2; usedKeys_.contains(key); ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        a.Album = cutToChars(a.Album, width::kAlbum - suffix.size()) + suffix;
        key = a.Artist + '\n' + a.Album;
    }
    usedKeys_.insert(std::move(key));
}

const AlbumPlan& AlbumGenerator::next() {
    const int32_t id = nextId_++;
    Rng rng(mixSeed(shape_.seed, kAlbumStream + static_cast<uint64_t>(id)));
    AlbumRecord& a = plan_.record;
    a = AlbumRecord{};
    a.AlbumID = id;

    plan_.compilation = rng.chance(50);
    if (plan_.compilation) {
        a.Artist = "Various";
    } else if (nextDebut_ < artists_.size() && rng.chance(kDebutShare)) {
        a.Artist = artists_.nameOf(nextDebut_++);
    } else {
        a.Artist = artists_.pickName(rng);
    }
    makeUniqueTitle(rng);
    a.Media = FieldMaker::media(rng);
    plan_.sideLetters = FieldMaker::sideLetters(rng, a.Media);
    a.FileNumber = FieldMaker::fileNumber(rng, a.Media, id);
    a.ReleaseDate = rng.chance(40) ? 0 : FieldMaker::releaseDate(rng);
    if (shape_.categories > 0 && !rng.chance(30)) {
        a.CategoryID = static_cast<int32_t>(categories_.pick(rng) + 1);
    }

    // Mostly short albums, now and then a long one: 8..20 tracks, about 11 on average.
    const auto spread = rng.below(13);
    const auto tracks = static_cast<std::size_t>(kMinTracks + spread * rng.below(13) / 12);
    plan_.trackTimes.clear();
    int64_t total = 0;
    for (std::size_t i = 0; i < tracks; ++i) {
        plan_.trackTimes.push_back(FieldMaker::trackTime(rng));
        total += plan_.trackTimes.back() - 1;
    }
    a.TotalTime = static_cast<int32_t>(total + 1);

    if (rng.chance(80)) a.AssociatedWAVFile = "sounds/album-" + std::to_string(id) + ".wav";
    if (rng.chance(300)) {
        a.AssociatedImage =
            cutToChars("covers/" + (rng.chance(100) ? a.Album : std::to_string(id)) + ".jpg",
                       width::kAssociatedFile);
    }
    a.CDIdentifier = cdIdentifier(shape_.seed, id, tracks);
    if (rng.chance(50)) a.XCCD = cdIdentifier(~shape_.seed, id, tracks) + " XCCD";
    if (rng.chance(80)) a.Playlist = trackOrder(tracks);
    a.Rating = FieldMaker::rating(rng);
    a.PurPriceCents = rng.chance(350) ? 0 : static_cast<int32_t>(rng.range(299, 2999));
    a.PurchaseDate = rng.chance(400) ? 0 : FieldMaker::dayAfter(rng, a.ReleaseDate);
    a.ValueCents = rng.chance(400) ? 0 : static_cast<int32_t>(rng.range(100, 9999));
    if (rng.chance(200)) a.Recording = cutToChars(NameMaker::recordingNote(rng), width::kShortMemo);
    if (rng.chance(100)) {
        a.Performance = cutToChars(NameMaker::sentence(rng, static_cast<int>(rng.range(4, 30))),
                                   width::kShortMemo);
    }
    if (rng.chance(250)) {
        const std::size_t length =
            rng.chance(40) ? width::kNotes : static_cast<std::size_t>(rng.range(40, 600));
        a.Notes = NameMaker::paragraph(rng, length);
    }
    return plan_;
}

}  // namespace cdz::gen
