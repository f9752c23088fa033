#pragma once
// A catalogue of songs and albums in a temporary folder (on the throwaway server in the build
// of the tests against it) for the housekeeping passes, with helpers that add records and read
// back what the files hold.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/albums/maintenance/MaintenanceRun.h"
#include "app/domain/data/Catalogue.h"
#include "tests/app/domain/data/OpenRecovering.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/support/TempDir.h"

namespace cdz::test {

using F = CatalogueFile;

class MaintenanceTest : public ::testing::Test {
protected:
    MaintenanceTest() { cat.setOpenRoutine(&openRecovering); }

    void SetUp() override {
        ASSERT_EQ(cat.use(F::Album), 0);
        ASSERT_EQ(cat.use(F::Cadenzio), 0);
    }

    // The song's number (given, or the next one when 0).
    int32_t addSong(std::string_view artist, std::string_view album, int32_t albumId = 0,
                    int32_t id = 0) {
        cat.file(F::Cadenzio).clearBuffer();
        SongRecord& s = cat.song();
        s.Artist = artist;
        s.Album = album;
        s.Title = "Song " + std::to_string(++added_);
        s.AlbumID = albumId;
        s.ID = id;
        EXPECT_EQ(cat.file(F::Cadenzio).add(), 0) << cat.database().error().text;
        return s.ID;
    }

    int32_t addAlbum(std::string_view artist, std::string_view album) {
        cat.file(F::Album).clearBuffer();
        cat.album().Artist = artist;
        cat.album().Album = album;
        EXPECT_EQ(cat.file(F::Album).add(), 0) << cat.database().error().text;
        return cat.album().AlbumID;
    }

    // Every record of the file in record order.
    template <class Rec>
    std::vector<Rec> all(F f, Rec& buffer) {
        std::vector<Rec> out;
        DataFile& file = cat.file(f);
        EXPECT_EQ(file.set(), 0);
        while (file.next() == 0) out.push_back(buffer);
        return out;
    }
    std::vector<SongRecord> songs() { return all(F::Cadenzio, cat.song()); }
    std::vector<AlbumRecord> albums() { return all(F::Album, cat.album()); }

    // The sum of the files' revisions: it grows with every record written.
    int64_t revisions() {
        int64_t sum = 0;
        for (F f : {F::Album, F::Cadenzio}) {
            Statement st = cat.database().statement(
                "SELECT CAST(COALESCE(SUM(cdz_rev), 0) AS BIGINT) FROM " + cat.file(f).sql().ref());
            EXPECT_TRUE(st);
            if (st && st.step().row()) sum += st.integer(0);
        }
        return sum;
    }

    // Runs a pass to its end; false on a fault.
    bool runPass(MaintenancePass pass, int batchSize = MaintenanceRun::kBatchSize) {
        MaintenanceRun run(cat, pass, batchSize);
        if (!run.start()) return false;
        return run.runToEnd();
    }

    TempDir dir;
    Catalogue cat{dir.path(), testServer(dir.path())};

private:
    int added_ = 0;
};

}  // namespace cdz::test
