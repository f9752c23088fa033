#pragma once
// A catalogue in a temporary folder with the songs, albums, categories, media and playlist
// files in use, a scripted dialog facade whose boxes the tests read, and record helpers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/domain/integrity/Integrity.h"
#include "app/domain/warnings/StandardWarning.h"
#include "runtime/ui/ScriptedDialogs.h"
#include "tests/app/domain/data/OpenRecovering.h"
#include "tests/support/TempDir.h"

namespace cdz::test {

using F = CatalogueFile;

// One station: its own connection, buffers, warnings and procedures.
struct Station {
    explicit Station(const std::filesystem::path& folder) : catalogue(folder) {
        catalogue.setOpenRoutine(&openRecovering);
    }
    Catalogue catalogue;
    ScriptedDialogs dialogs;
    StandardWarning warning{dialogs, catalogue.database().error(), [](std::string_view) {},
                            [this] { catalogue.database().rollback(); }};
    Integrity integrity{catalogue, warning};
};

class IntegrityTest : public ::testing::Test {
protected:
    // The files the caller of a procedure has open (the child files are the procedure's).
    void useFiles(std::initializer_list<F> files) {
        for (F f : files) ASSERT_EQ(cat.use(f), 0);
    }

    int32_t addSong(std::string_view title, int32_t categoryID = 0, int32_t albumID = 0,
                    std::string_view media = "", int track = 0) {
        SongRecord& s = cat.song();
        cat.file(F::Cadenzio).clearBuffer();
        s.Artist = "Artist";
        s.Title = title;
        s.CategoryID = categoryID;
        s.AlbumID = albumID;
        s.Media = media;
        s.TrackNumber = static_cast<uint8_t>(track);
        EXPECT_EQ(cat.file(F::Cadenzio).add(), 0) << cat.database().error().text;
        return s.ID;
    }
    int64_t addCategory(std::string_view name) {
        cat.file(F::Categories).clearBuffer();
        cat.category().Category = name;
        EXPECT_EQ(cat.file(F::Categories).add(), 0);
        return cat.category().CategoryID.toInt();
    }
    int32_t addAlbum(std::string_view title, std::string_view media = "") {
        cat.file(F::Album).clearBuffer();
        cat.album().Artist = "Artist";
        cat.album().Album = title;
        cat.album().Media = media;
        EXPECT_EQ(cat.file(F::Album).add(), 0);
        return cat.album().AlbumID;
    }
    void addMedia(std::string_view name) {
        cat.media().Media = name;
        EXPECT_EQ(cat.file(F::Media).add(), 0);
    }
    int32_t addPlaylist(std::string_view name) {
        cat.file(F::PlaylistMaster).clearBuffer();
        cat.playlist().PlaylistDescription = name;
        EXPECT_EQ(cat.file(F::PlaylistMaster).add(), 0);
        return cat.playlist().PlaylistID;
    }
    void addEntry(int32_t playlistID, int32_t songID) {
        cat.file(F::PlaylistDetails).clearBuffer();
        cat.playlistEntry().PlaylistID = playlistID;
        cat.playlistEntry().ID = Decimal<6, 0>::fromRaw(songID);
        EXPECT_EQ(cat.file(F::PlaylistDetails).add(), 0);
    }

    // Reads a record into the buffer by its primary key value, under a change watch, as a
    // form does before editing. The buffer must hold the key value.
    void load(F file, int key = 0) {
        cat.file(file).watch();
        ASSERT_EQ(cat.file(file).get(key), 0) << cat.database().error().text;
    }

    // Every record of a file in record order, as the buffer holds each (the file is opened
    // for the count when nobody has it open).
    template <class Rec>
    std::vector<Rec> all(F file, Rec& buffer) {
        std::vector<Rec> out;
        EXPECT_EQ(cat.use(file), 0);
        DataFile& f = cat.file(file);
        EXPECT_EQ(f.set(), 0);
        while (f.next() == 0) out.push_back(buffer);
        cat.release(file);
        return out;
    }
    std::vector<SongRecord> songs() { return all(F::Cadenzio, cat.song()); }
    size_t count(F file) {
        EXPECT_EQ(cat.use(file), 0);
        auto n = static_cast<size_t>(cat.file(file).records());
        cat.release(file);
        return n;
    }
    size_t songsWhere(const std::function<bool(const SongRecord&)>& pred) {
        size_t n = 0;
        for (const auto& s : songs()) n += pred(s) ? 1 : 0;
        return n;
    }

    // The boxes shown since the last forgetShown(), as "title|text".
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        const auto& all = me.dialogs.shown();
        for (size_t i = seen_; i < all.size(); ++i) out.push_back(all[i].title + "|" + all[i].text);
        return out;
    }
    void forgetShown() { seen_ = me.dialogs.shown().size(); }

    TempDir dir;
    Station me{dir.path()};
    Catalogue& cat = me.catalogue;
    Integrity& integrity = me.integrity;

private:
    size_t seen_ = 0;
};

}  // namespace cdz::test
