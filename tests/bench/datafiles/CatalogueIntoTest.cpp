// A generated catalogue written into a folder's data files: read back through the data layer,
// every file holds its records and every song's album, category and media exist; a folder that
// holds data files is refused unless replacing was asked for; a failed write leaves nothing.
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/domain/data/Catalogue.h"
#include "bench/generator/SongGenerator.h"
#include "bench/generator/datafiles/CatalogueInto.h"
#include "tests/support/TempDir.h"

namespace cdz::gen {
namespace {

namespace fs = std::filesystem;
using Status = IntoResult::Status;

int64_t songsIn(const fs::path& folder) {
    Catalogue cat(folder);
    if (cat.use(CatalogueFile::Cadenzio)) return -1;
    return cat.file(CatalogueFile::Cadenzio).records();
}

TEST(BenchCatalogueInto, EveryFileHoldsItsRecordsAndEverySongsLinksExist) {
    test::TempDir dir;
    const CatalogueShape shape{5, 2500, 40};
    const IntoResult r = CatalogueInto::write(dir.path() / "cat", shape, false);
    ASSERT_EQ(r.status, Status::Written) << r.message;
    // Nothing is left beside the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    Catalogue cat(dir.path() / "cat");
    FileUse use(cat, {CatalogueFile::Cadenzio, CatalogueFile::Album, CatalogueFile::Categories,
                      CatalogueFile::Media});
    ASSERT_TRUE(use.ok());
    DataFile& songs = cat.file(CatalogueFile::Cadenzio);
    DataFile& albums = cat.file(CatalogueFile::Album);
    DataFile& categories = cat.file(CatalogueFile::Categories);
    DataFile& media = cat.file(CatalogueFile::Media);
    EXPECT_EQ(songs.records(), 2500);
    EXPECT_EQ(albums.records(), 250);  // one for every ten songs
    EXPECT_EQ(categories.records(), 40);
    EXPECT_EQ(media.records(), 12);
    EXPECT_EQ(r.counts.songs, 2500);
    EXPECT_EQ(r.counts.albums, 250);

    // The stored songs are the generator's, in song-number order, with their album links.
    SongGenerator generator(shape);
    SongRecord expected;
    ASSERT_EQ(songs.set(), 0);
    int64_t onAlbums = 0;
    while (songs.next() == 0) {
        ASSERT_TRUE(generator.next(expected));
        const cdz::SongRecord& s = cat.song();
        ASSERT_EQ(s.ID, expected.ID);
        EXPECT_EQ(s.AlbumID, expected.AlbumID);
        EXPECT_EQ(s.TrackNumber, expected.TrackNumber);
        EXPECT_EQ(s.Title, expected.Title);
        if (s.AlbumID != 0) {
            ++onAlbums;
            cat.album().AlbumID = s.AlbumID;
            ASSERT_EQ(albums.get(cdz::AlbumRecord::KeyAlbumID), 0) << "song " << s.ID;
            EXPECT_EQ(cat.album().Album, s.Album.view()) << "song " << s.ID;
        }
        if (s.CategoryID != 0) {
            cat.category().CategoryID = decltype(cat.category().CategoryID)::fromRaw(s.CategoryID);
            EXPECT_EQ(categories.get(cdz::CategoryRecord::KeyCategoryID), 0) << "song " << s.ID;
        }
        cat.media().Media = s.Media.view();
        EXPECT_EQ(media.get(MediaRecord::KeyMedia), 0) << "song " << s.ID;
    }
    EXPECT_FALSE(generator.next(expected));
    EXPECT_GT(onAlbums, 2000);

    // Two playlists of twenty songs each, every entry naming a stored song.
    FileUse lists(cat, {CatalogueFile::PlaylistMaster, CatalogueFile::PlaylistDetails});
    ASSERT_TRUE(lists.ok());
    EXPECT_EQ(cat.file(CatalogueFile::PlaylistMaster).records(), 2);
    DataFile& entries = cat.file(CatalogueFile::PlaylistDetails);
    EXPECT_EQ(entries.records(), 40);
    ASSERT_EQ(entries.set(), 0);
    while (entries.next() == 0) {
        const int64_t song = cat.playlistEntry().ID.toInt();
        EXPECT_TRUE(song >= 1 && song <= 2500) << song;
    }
}

TEST(BenchCatalogueInto, FolderWithDataFilesIsRefusedUnlessReplaced) {
    test::TempDir dir;
    const fs::path folder = dir.path() / "cat";
    ASSERT_EQ(CatalogueInto::write(folder, {1, 300, 10}, false).status, Status::Written);
    fs::path addWizard;
    fs::path labels;
    {
        // Files of the old catalogue that the generator does not write: the add-album wizard's
        // work names its songs, label designs do not.
        Catalogue cat(folder);
        ASSERT_EQ(cat.use(CatalogueFile::AddWizard), 0);
        ASSERT_EQ(cat.use(CatalogueFile::Labels), 0);
        addWizard = cat.file(CatalogueFile::AddWizard).path();
        labels = cat.file(CatalogueFile::Labels).path();
    }
    ASSERT_TRUE(fs::exists(addWizard));
    const IntoResult refused = CatalogueInto::write(folder, {2, 500, 10}, false);
    EXPECT_EQ(refused.status, Status::Refused);
    EXPECT_NE(refused.message.find("cdzdata.tps"), std::string::npos) << refused.message;
    EXPECT_NE(refused.message.find("--replace"), std::string::npos) << refused.message;
    EXPECT_EQ(songsIn(folder), 300);

    const IntoResult replaced = CatalogueInto::write(folder, {2, 500, 10}, true);
    ASSERT_EQ(replaced.status, Status::Written) << replaced.message;
    EXPECT_EQ(songsIn(folder), 500);
    EXPECT_FALSE(fs::exists(addWizard));
    EXPECT_TRUE(fs::exists(labels));
}

TEST(BenchCatalogueInto, FailedWriteLeavesNoFolder) {
    test::TempDir dir;
    const fs::path folder = dir.path() / "cat";
    // The songs file cannot be made where a folder of its name stands in the working folder.
    const fs::path working = dir.path() / (".cat.cdzgen-" + std::to_string(::getpid()));
    fs::create_directories(working / "cdzdata.tps");
    const IntoResult r = CatalogueInto::write(folder, {1, 300, 10}, false);
    EXPECT_EQ(r.status, Status::Failed);
    EXPECT_NE(r.message.find("nothing was written"), std::string::npos) << r.message;
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_FALSE(fs::exists(working));
}

}  // namespace
}  // namespace cdz::gen
