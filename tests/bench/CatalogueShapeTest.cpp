// What the generated catalogue looks like as a whole: skewed artists, unique numbers and
// keys, albums that match their songs, a share of Unicode, empty values where real
// collections have them.
#include <QList>
#include <QString>
#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bench/generator/AlbumGenerator.h"
#include "bench/generator/ArtistPool.h"
#include "bench/generator/CatalogueStats.h"
#include "bench/generator/CatalogueWriter.h"
#include "bench/generator/CategoryMaker.h"
#include "bench/generator/MediaNames.h"
#include "bench/generator/SongGenerator.h"
#include "bench/generator/TextCut.h"
#include "tests/bench/CsvFieldReader.h"

namespace cdz::gen {
namespace {

std::vector<SongRecord> songsOf(const CatalogueShape& shape) {
    std::vector<SongRecord> songs;
    SongGenerator generator(shape);
    SongRecord song;
    while (generator.next(song)) songs.push_back(song);
    return songs;
}

TEST(BenchCatalogue, ArtistPopularityIsSkewed) {
    const CatalogueShape shape{21, 40000, 200};
    CatalogueStats stats;
    for (const SongRecord& s : songsOf(shape)) stats.addSong(s, 0);
    EXPECT_EQ(stats.songs(), 40000);
    EXPECT_GE(stats.medianArtistSongs(), 1);
    EXPECT_GE(stats.topArtistSongs(), 20 * stats.medianArtistSongs());
    // Most of the pool of songs/12 artists appears.
    EXPECT_GT(stats.artists(), shape.artists() / 2);
    EXPECT_LE(stats.artists(), shape.artists() + 1);  // + "Various" is never a song artist
    // Shares that a real collection shows, within broad bounds.
    EXPECT_GT(stats.looseSongs(), 40000 * 5 / 100);
    EXPECT_LT(stats.looseSongs(), 40000 * 20 / 100);
    EXPECT_GT(stats.songsWithoutCategory(), 0);
    EXPECT_GT(stats.songsWithoutNotes(), 40000 / 2);
    EXPECT_LT(stats.songsWithoutNotes(), 40000);
    EXPECT_GT(stats.repeatedArtistTitles(), 0);
    EXPECT_GT(stats.titlesWithQuotes(), 0);
    EXPECT_GT(stats.titlesWithCommas(), 0);
}

TEST(BenchCatalogue, SongNumbersRunFromOneWithoutGaps) {
    const auto songs = songsOf({2, 5000, 200});
    ASSERT_EQ(songs.size(), 5000u);
    for (std::size_t i = 0; i < songs.size(); ++i)
        ASSERT_EQ(songs[i].ID, static_cast<int32_t>(i + 1));
    EXPECT_TRUE(songsOf({2, 0, 200}).empty());
}

TEST(BenchCatalogue, SongsMatchTheAlbumsFileOfTheSameShape) {
    const CatalogueShape shape{8, 20000, 200};
    const auto songs = songsOf(shape);
    const ArtistPool artists(shape.seed, shape.artists());
    AlbumGenerator albums(shape, artists);
    std::map<int32_t, AlbumPlan> plans;
    std::map<int32_t, std::vector<const SongRecord*>> tracks;
    int32_t lastAlbum = 0;
    for (const SongRecord& s : songs) {
        if (s.AlbumID == 0) continue;
        // Albums follow each other in number order, each in one run of songs.
        ASSERT_GE(s.AlbumID, lastAlbum);
        ASSERT_TRUE(s.AlbumID == lastAlbum || tracks[s.AlbumID].empty());
        lastAlbum = s.AlbumID;
        while (albums.produced() < s.AlbumID) {
            const AlbumPlan& plan = albums.next();
            plans[plan.record.AlbumID] = plan;
        }
        tracks[s.AlbumID].push_back(&s);
    }
    ASSERT_GT(plans.size(), 500u);
    for (const auto& [id, songsOfAlbum] : tracks) {
        const AlbumPlan& plan = plans.at(id);
        const AlbumRecord& a = plan.record;
        if (id != lastAlbum) {
            ASSERT_EQ(songsOfAlbum.size(), plan.trackTimes.size()) << id;  // last may be cut
        }
        ASSERT_GE(plan.trackTimes.size(), 8u);
        ASSERT_LE(plan.trackTimes.size(), 20u);
        int64_t total = 0;
        for (int32_t t : plan.trackTimes) total += t - 1;
        EXPECT_EQ(a.TotalTime, total + 1);
        for (std::size_t i = 0; i < songsOfAlbum.size(); ++i) {
            const SongRecord& s = *songsOfAlbum[i];
            EXPECT_EQ(s.TrackNumber, i + 1);
            EXPECT_EQ(s.Time, plan.trackTimes[i]);
            EXPECT_EQ(s.Album, a.Album);
            EXPECT_EQ(s.Media, a.Media);
            EXPECT_EQ(s.FileNumber, a.FileNumber);
            EXPECT_EQ(s.ReleaseDate, a.ReleaseDate);
            if (plan.compilation) {
                EXPECT_EQ(a.Artist, "Various");
            } else {
                EXPECT_EQ(s.Artist, a.Artist);
            }
        }
    }
}

TEST(BenchCatalogue, AlbumKeysStayUniqueEvenWithFewArtists) {
    // Ten artists and three thousand albums: titles repeat per artist unless numbered.
    const CatalogueShape shape{4, 120, 200};
    const ArtistPool artists(shape.seed, shape.artists());
    AlbumGenerator albums(shape, artists);
    std::set<std::pair<std::string, std::string>> albumKeys;
    std::set<std::string> cdIdentifiers;
    for (int i = 1; i <= 3000; ++i) {
        const AlbumRecord& a = albums.next().record;
        ASSERT_EQ(a.AlbumID, i);
        ASSERT_TRUE(albumKeys.emplace(a.Artist, a.Album).second) << a.Artist << " / " << a.Album;
        ASSERT_TRUE(cdIdentifiers.insert(a.CDIdentifier).second) << a.CDIdentifier;
        ASSERT_LE(charCount(a.Album), width::kAlbum) << a.Album;
        ASSERT_LE(charCount(a.CDIdentifier), width::kCDIdentifier);
        ASSERT_LE(charCount(a.Playlist), width::kPlaylist);
        ASSERT_LE(charCount(a.XCCD), width::kXCCD);
        ASSERT_LE(charCount(a.AssociatedImage), width::kAssociatedFile);
        ASSERT_LE(charCount(a.Notes), width::kNotes);
        ASSERT_TRUE(a.PurchaseDate == 0 || a.ReleaseDate == 0 || a.PurchaseDate >= a.ReleaseDate);
    }
}

TEST(BenchCatalogue, ArtistNamesAreDistinctAndFitTheirField) {
    const ArtistPool pool(6, 50000);
    std::set<std::string> names;
    for (uint32_t r = 0; r < pool.size(); ++r) {
        const std::string& name = pool.nameOf(r);
        ASSERT_FALSE(name.empty());
        ASSERT_LE(charCount(name), width::kArtist) << name;
        ASSERT_TRUE(names.insert(name).second) << name;
    }
    EXPECT_EQ(ArtistPool(6, 0).size(), 1u);
}

TEST(BenchCatalogue, CategoriesHaveDistinctNamesAndSongsReferToThem) {
    for (int32_t count : {0, 1, 200, 2000}) {
        const auto categories = CategoryMaker::make(1, count);
        ASSERT_EQ(categories.size(), static_cast<std::size_t>(count));
        std::set<std::string> names;
        for (std::size_t i = 0; i < categories.size(); ++i) {
            EXPECT_EQ(categories[i].CategoryID, static_cast<int32_t>(i + 1));
            EXPECT_LE(charCount(categories[i].Category), width::kCategory);
            EXPECT_TRUE(names.insert(categories[i].Category).second) << categories[i].Category;
        }
    }
    std::map<int32_t, int> uses;
    for (const SongRecord& s : songsOf({3, 20000, 200})) {
        ASSERT_GE(s.CategoryID, 0);
        ASSERT_LE(s.CategoryID, 200);
        ++uses[s.CategoryID];
    }
    EXPECT_GT(uses[0], 0);
    EXPECT_GT(uses.size(), 100u);
    // Without categories no song or album may refer to one.
    for (const SongRecord& s : songsOf({3, 2000, 0})) ASSERT_EQ(s.CategoryID, 0);
}

TEST(BenchCatalogue, MediaAreTheProgramsTwelveNames) {
    const auto& media = mediaNames();
    const std::set<std::string_view> known(media.begin(), media.end());
    ASSERT_EQ(known.size(), 12u);
    std::set<std::string> used;
    for (const SongRecord& s : songsOf({5, 20000, 200})) {
        ASSERT_TRUE(known.contains(s.Media)) << s.Media;
        used.insert(s.Media);
        if (s.Media == "CD") {
            ASSERT_TRUE(s.Side.empty());
        }
    }
    EXPECT_EQ(used.size(), 12u);
    std::ostringstream out;
    EXPECT_EQ(CatalogueWriter::writeMedia(out, false), 12);
    const auto lines = test::splitLines(out.str());
    ASSERT_EQ(lines.size(), 12u);
    for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(test::readCsvLine(lines[i])[0].value, media[i]);
}

// Which scripts appear among artists, titles and albums.
TEST(BenchCatalogue, NamesMixScriptsAndMultiByteCharacters) {
    std::map<std::string, int> scripts;
    int nonAscii = 0;
    const auto songs = songsOf({13, 20000, 200});
    for (const SongRecord& s : songs) {
        const QString text = QString::fromStdString(s.Artist + " " + s.Title + " " + s.Album);
        bool any = false;
        for (const uint c : text.toUcs4()) {
            if (c < 0x80) continue;
            any = true;
            if (c == 0xDF) ++scripts["sharp s"];
            if (c >= 0xC0 && c <= 0x17F) ++scripts["latin"];
            if (c >= 0x370 && c <= 0x3FF) ++scripts["greek"];
            if (c >= 0x400 && c <= 0x4FF) ++scripts["cyrillic"];
            if (c >= 0x3040 && c <= 0x30FF) ++scripts["kana"];
            if (c >= 0x4E00 && c <= 0x9FFF) ++scripts["han"];
            if (c >= 0xAC00 && c <= 0xD7AF) ++scripts["hangul"];
            if (c > 0xFFFF) ++scripts["beyond 16 bits"];
            if ((c >= 0x1F000 && c <= 0x1FAFF) || (c >= 0x2600 && c <= 0x27BF)) ++scripts["emoji"];
        }
        nonAscii += any ? 1 : 0;
    }
    for (const char* script :
         {"sharp s", "latin", "greek", "cyrillic", "kana", "han", "hangul", "beyond 16 bits"}) {
        EXPECT_GT(scripts[script], 0) << script;
    }
    EXPECT_EQ(scripts["emoji"], 0);
    EXPECT_GT(nonAscii, 20000 / 10);
    EXPECT_LT(nonAscii, 20000 * 6 / 10);
}

TEST(BenchCatalogue, AlbumsFileReadsBackWithUniqueNumbers) {
    const CatalogueShape shape{17, 20000, 200};
    std::ostringstream out;
    EXPECT_EQ(CatalogueWriter::writeAlbums(out, shape, 2000, true), 2000);
    const auto lines = test::splitLines(out.str());
    ASSERT_EQ(lines.size(), 2001u);
    EXPECT_EQ(test::readCsvLine(lines[0]).size(), 20u);
    std::set<std::string> identifiers;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto f = test::readCsvLine(lines[i]);
        ASSERT_EQ(f.size(), 20u) << lines[i];
        EXPECT_EQ(f[0].value, std::to_string(i));
        EXPECT_FALSE(f[0].quoted);
        EXPECT_TRUE(identifiers.insert(f[9].value).second);
    }
    std::ostringstream again;
    CatalogueWriter::writeAlbums(again, shape, 2000, true);
    EXPECT_EQ(out.str(), again.str());
}

}  // namespace
}  // namespace cdz::gen
