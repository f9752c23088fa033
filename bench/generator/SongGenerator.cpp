#include "bench/generator/SongGenerator.h"

#include <cstdio>

#include "bench/generator/FieldMaker.h"
#include "bench/generator/NameMaker.h"
#include "bench/generator/TextCut.h"
#include "bench/generator/WordLists.h"

namespace cdz::gen {

namespace {

constexpr uint64_t kSongStream = 0x534f4e4700000000ULL;
constexpr std::size_t kRecentPairs = 4096;
// Chance per mille that a gap between albums holds one more song on no album: about one song
// in ten ends up on no album.
constexpr unsigned kLooseSongShare = 550;

void clearSong(SongRecord& s) {
    // Clearing keeps the strings' buffers: a million songs reuse the same memory.
    for (std::string* text :
         {&s.Artist, &s.Title, &s.Album, &s.Media, &s.FileNumber, &s.Side, &s.UserDefinedKeyField,
          &s.AdditionalInformation1, &s.AdditionalInformation2, &s.AdditionalInformation3, &s.Style,
          &s.Composer, &s.Rating, &s.Recording, &s.PerformanceNotes, &s.Notes}) {
        text->clear();
    }
    s.ReleaseDate = s.CategoryID = s.Time = s.BeatsPerMinute = 0;
    s.LastPlayed = s.ID = s.AlbumID = 0;
    s.ChartNumber = s.TrackNumber = 0;
}

// Minutes and seconds of a time value as "mm:ss", as the album wizard notes them.
std::string minutesSeconds(int32_t time) {
    const int32_t seconds = (time - 1) / 100;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60));
    return buf;
}

std::string userKey(Rng& rng) {
    char buf[32];
    if (rng.chance(500)) {
        const auto letter = static_cast<char>('A' + rng.below(26));
        std::snprintf(buf, sizeof buf, "%c-%04d", letter, static_cast<int>(rng.range(1, 9999)));
    } else {
        std::snprintf(buf, sizeof buf, "%ds party", static_cast<int>(1950 + 10 * rng.below(8)));
    }
    return buf;
}

}  // namespace

SongGenerator::SongGenerator(const CatalogueShape& shape)
    : shape_(shape),
      rng_(mixSeed(shape.seed, kSongStream)),
      artists_(shape.seed, shape.artists()),
      albums_(shape, artists_),
      categories_(static_cast<uint32_t>(shape.categories > 0 ? shape.categories : 1), 3) {
    recent_.reserve(kRecentPairs);
}

bool SongGenerator::next(SongRecord& song) {
    if (produced_ >= shape_.songs) return false;
    clearSong(song);
    bool loose = false;
    if (album_ == nullptr || track_ >= album_->trackTimes.size()) {
        loose = album_ != nullptr && rng_.chance(kLooseSongShare);
        if (!loose) {
            album_ = &albums_.next();
            track_ = 0;
        }
    }
    if (loose) {
        looseSong(song);
    } else {
        albumTrack(song);
    }
    commonFields(song);
    song.ID = static_cast<int32_t>(++produced_);
    return true;
}

void SongGenerator::albumTrack(SongRecord& song) {
    const AlbumRecord& a = album_->record;
    const std::size_t i = track_++;
    if (album_->compilation) {
        // Compilations gather songs already heard elsewhere.
        if (!recent_.empty() && rng_.chance(300)) {
            const auto& pair = recall();
            song.Artist = pair.first;
            song.Title = pair.second;
        } else {
            song.Artist = artists_.pickName(rng_);
        }
    } else {
        song.Artist = a.Artist;
    }
    if (song.Title.empty()) song.Title = NameMaker::songTitle(rng_);
    song.Album = a.Album;
    song.Media = a.Media;
    song.FileNumber = a.FileNumber;
    song.ReleaseDate = a.ReleaseDate;
    song.CategoryID = a.CategoryID;
    if (rng_.chance(50)) {
        song.CategoryID = rng_.chance(500) ? 0 : pickCategory();
    }
    song.TrackNumber = static_cast<uint8_t>(i + 1);
    const std::string& sides = album_->sideLetters;
    if (!sides.empty()) song.Side = sides[i < album_->trackTimes.size() / 2 ? 0 : 1];
    song.Time = album_->trackTimes[i];
    song.AlbumID = a.AlbumID;
    if (!album_->compilation) remember(song);
}

void SongGenerator::looseSong(SongRecord& song) {
    if (!recent_.empty() && rng_.chance(250)) {
        const auto& pair = recall();
        song.Artist = pair.first;
        song.Title = pair.second;
    } else {
        song.Artist = artists_.pickName(rng_);
        song.Title = NameMaker::songTitle(rng_);
    }
    // Half name an album that the albums file does not hold (yet).
    if (rng_.chance(500)) song.Album = NameMaker::albumTitle(rng_);
    song.Media = FieldMaker::media(rng_);
    song.FileNumber =
        FieldMaker::fileNumber(rng_, song.Media, static_cast<int32_t>(rng_.range(1, 999999)));
    song.ReleaseDate = rng_.chance(150) ? 0 : FieldMaker::releaseDate(rng_);
    song.CategoryID = rng_.chance(150) ? 0 : pickCategory();
    song.TrackNumber = rng_.chance(500) ? 0 : static_cast<uint8_t>(rng_.range(1, 12));
    const std::string sides = FieldMaker::sideLetters(rng_, song.Media);
    if (!sides.empty() && rng_.chance(500)) song.Side = sides[rng_.below(2)];
    song.Time = rng_.chance(50) ? 0 : FieldMaker::trackTime(rng_);
}

void SongGenerator::commonFields(SongRecord& song) {
    Rng& rng = rng_;
    if (rng.chance(120)) song.ChartNumber = static_cast<uint8_t>(rng.range(1, 100));
    if (rng.chance(150)) song.UserDefinedKeyField = userKey(rng);
    if (song.Time != 0 && rng.chance(100)) song.AdditionalInformation1 = minutesSeconds(song.Time);
    if (rng.chance(50)) {
        song.AdditionalInformation2 =
            rng.chance(500) ? "Remastered " + std::to_string(rng.range(1990, 2023))
                            : NameMaker::sentence(rng, static_cast<int>(rng.range(2, 8)));
        cutInPlace(song.AdditionalInformation2, width::kAdditionalInformation);
    }
    if (rng.chance(30)) {
        song.AdditionalInformation3 = NameMaker::sentence(rng, static_cast<int>(rng.range(3, 20)));
        cutInPlace(song.AdditionalInformation3, width::kAdditionalInformation);
    }
    if (!rng.chance(300)) song.BeatsPerMinute = static_cast<int32_t>(rng.range(60, 200));
    if (rng.chance(600)) {
        const auto styles = words::styles();
        song.Style = styles[rng.below(styles.size())];
    }
    const auto composer = rng.below(100);
    if (composer < 20) {
        song.Composer = song.Artist;
    } else if (composer < 45) {
        song.Composer = NameMaker::personName(rng);
    } else if (composer < 50) {
        song.Composer = NameMaker::personName(rng);
        song.Composer += " / ";
        song.Composer += NameMaker::personName(rng);
    }
    cutInPlace(song.Composer, width::kComposer);
    if (rng.chance(350)) song.LastPlayed = FieldMaker::dayAfter(rng, song.ReleaseDate);
    song.Rating = FieldMaker::rating(rng);
    if (rng.chance(150)) {
        song.Recording = NameMaker::recordingNote(rng);
        cutInPlace(song.Recording, width::kShortMemo);
    }
    if (rng.chance(100)) {
        song.PerformanceNotes = NameMaker::sentence(rng, static_cast<int>(rng.range(4, 40)));
        cutInPlace(song.PerformanceNotes, width::kShortMemo);
    }
    if (rng.chance(200)) {
        const std::size_t length =
            rng.chance(20) ? width::kNotes : static_cast<std::size_t>(rng.range(20, 400));
        song.Notes = NameMaker::paragraph(rng, length);
    }
}

int32_t SongGenerator::pickCategory() {
    if (shape_.categories <= 0) return 0;
    return static_cast<int32_t>(categories_.pick(rng_) + 1);
}

void SongGenerator::remember(const SongRecord& song) {
    if (recent_.size() < kRecentPairs) {
        recent_.emplace_back(song.Artist, song.Title);
    } else {
        recent_[recentNext_] = {song.Artist, song.Title};
        recentNext_ = (recentNext_ + 1) % kRecentPairs;
    }
}

const std::pair<std::string, std::string>& SongGenerator::recall() {
    return recent_[rng_.below(recent_.size())];
}

}  // namespace cdz::gen
