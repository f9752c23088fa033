// The song form's album variant: what a song takes from the album it is put on.
#include <gtest/gtest.h>

#include "app/songs/SongsForAlbumForm.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

TEST(SongsForAlbumForm, ASongTakesTheAlbumsValuesWhereItHasNone) {
    struct Case {
        Request request;
        const char* artist;  // the song's before
        const char* media;
        const char* wantArtist;
        const char* wantMedia;
        const char* wantFileNumber;
        int32_t wantCategory;
    };
    const Case cases[] = {
        {Request::Insert, "", "", "Album Artist", "LP", "F7", 12},
        {Request::Select, "Guest Singer", "CD", "Guest Singer", "LP", "F7", 12},  // a copy
        {Request::Change, "", "", "", "CD", "", 0},  // a change takes the album, nothing else
    };
    for (const Case& c : cases) {
        StateFixture f;
        Catalogue& cat = f.state->catalogue();
        AlbumRecord& album = cat.album();
        album.AlbumID = 9;
        album.Album = "The Album";
        album.Artist = "Album Artist";
        album.Media = "LP";
        album.FileNumber = "F7";
        album.CategoryID = 12;
        SongRecord& song = cat.song();
        song = SongRecord{};
        song.Artist = c.artist;
        song.Media = c.media;
        SongsForAlbumForm::prime(*f.state, c.request);
        EXPECT_EQ(song.AlbumID, 9);
        EXPECT_EQ(song.Album.clipped(), "The Album");
        EXPECT_EQ(song.Artist.clipped(), c.wantArtist);
        EXPECT_EQ(song.Media.clipped(), c.wantMedia);
        EXPECT_EQ(song.FileNumber.clipped(), c.wantFileNumber);
        EXPECT_EQ(song.CategoryID, c.wantCategory);
    }
}

}  // namespace
}  // namespace cdz::test
