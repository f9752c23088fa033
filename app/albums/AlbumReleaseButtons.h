#pragma once
// The album form's release buttons. "Find Release..." finds the album by barcode, catalogue
// number, or artist and title, and fills the album (artist, title, release date, the media its
// format matches, and in its notes the label, catalogue number and release identifier) and its
// songs, one a track: a song of the track's number is retitled, a missing one is added, in one
// transaction, or nothing changes. "Fetch Cover" stores the front cover of the release named in
// the notes in the picture folder and names it as the album's image.
#include <QByteArray>

class QWidget;

namespace cdz {

class AppState;
struct TitleRelease;

class AlbumReleaseButtons {
public:
    explicit AlbumReleaseButtons(AppState& state) : state_(state) {}

    // True when the album and its songs took a release. `parent`: the form (nullptr: the
    // window up).
    bool findRelease(QWidget* parent);
    // True when the album took a cover.
    bool fetchCover(QWidget* parent);

    // The release's tracks as songs of the album in the buffer (its number, artist, title ...);
    // false with the user told when they could not be written: then nothing was.
    bool writeSongs(const TitleRelease& release);
    // The picture into the picture folder, named in the album buffer; false with the user told.
    bool storeCover(const QByteArray& picture);

private:
    AppState& state_;
};

}  // namespace cdz
