#pragma once
// A small catalogue of albums with songs, for the album reports' tests.
#include <cstdint>
#include <string>
#include <vector>

#include "app/reports/ReportCatalogue.h"
#include "app/reports/ReportJob.h"
#include "tests/app/reports/ReportFixture.h"

namespace cdz::test {

struct TestAlbum {
    const char* title;
    const char* artist;
    const char* media;
    int64_t value;  // cents
    int64_t price;
};

// Album 1 "Zenith", 2 "Abbey", 3 "Moon", each with songs of its own and one on no album.
inline const std::vector<TestAlbum> kAlbums = {
    {"Zenith", "Adams", "CD", 6000001, 1999},
    {"Abbey", "Young", "LP", 5000002, 2500},
    {"Moon", "Miller", "CD", 101, 0},
};

struct AlbumCatalogue : StateFixture {
    AlbumCatalogue() {
        Catalogue& c = state->catalogue();
        FileUse use(c, {CatalogueFile::Album, CatalogueFile::Cadenzio});
        EXPECT_TRUE(use.ok());
        int32_t id = 0;
        for (const TestAlbum& a : kAlbums) {
            c.file(CatalogueFile::Album).clearBuffer();
            c.album().AlbumID = ++id;
            c.album().Album = a.title;
            c.album().Artist = a.artist;
            c.album().Media = a.media;
            c.album().Value = Decimal<4, 2>::fromRaw(a.value);
            c.album().PurPrice = Decimal<4, 2>::fromRaw(a.price);
            EXPECT_EQ(c.file(CatalogueFile::Album).add(), 0);
            for (const char* title : {"Opening", "Closing"})
                song(id, a.title, std::string(a.title) + " " + title);
        }
        song(0, "", "Loose Single");
    }

    void song(int32_t album, const std::string& albumTitle, const std::string& title) {
        Catalogue& c = state->catalogue();
        c.file(CatalogueFile::Cadenzio).clearBuffer();
        c.song().AlbumID = album;
        c.song().Album = albumTitle;
        c.song().Title = title;
        c.song().Artist = "Singer";
        EXPECT_EQ(c.file(CatalogueFile::Cadenzio).add(), 0);
    }

    // The texts of the report's pages, or why it could not be made.
    std::vector<std::string> print(const char* procedure, ReportRequest request = {}) {
        FileUse use(state->catalogue(), {CatalogueFile::Album, CatalogueFile::Cadenzio});
        ReportJob job(*state, *ReportCatalogue::find(procedure), std::move(request), letterPaper());
        if (!job.start()) return {"failed: " + job.error()};
        while (job.step(100)) {
        }
        EXPECT_TRUE(job.finish());
        return textsOf(job.pages());
    }
};

}  // namespace cdz::test
