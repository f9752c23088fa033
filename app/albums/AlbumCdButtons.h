#pragma once
// The album form's Compact Disc page: the songs of the album made or timed from the disc in
// the drive, and the disc's identifier read into the album.
namespace cdz {

class AppState;

class AlbumCdButtons {
public:
    explicit AlbumCdButtons(AppState& state) : state_(state) {}

    // "Load Song Information from CD Player": a song per track of the album, new ones titled
    // "Track n", existing ones given the track's length. True when every track was written.
    bool loadSongs();
    // "Read": the disc's identifier into the album's CD serial, saying whether it changed.
    bool readSerial();

private:
    AppState& state_;
};

}  // namespace cdz
