#include "bench/albumbrowse/AlbumFormTimings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTimer>

#include "app/albums/AlbumBrowse.h"
#include "app/albums/AlbumForm.h"
#include "app/albums/AlbumSongList.h"
#include "app/engine/form/FormWindow.h"

namespace cdz::bench {
namespace {

constexpr int kSongsWanted = 20;
constexpr int32_t kAlbumsSearched = 500;

// The songs of one album, counted through its key (at most one past the album).
int songsOf(Catalogue& c, int32_t album) {
    DataFile& songs = c.file(CatalogueFile::Cadenzio);
    songs.clearBuffer();
    c.song().AlbumID = album;
    if (songs.setAt(SongRecord::KeyAlbumID) != 0) return 0;
    int n = 0;
    while (songs.next() == 0 && c.song().AlbumID == album) ++n;
    return n;
}

double since(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

}  // namespace

bool AlbumFormTimings::run(AppState& state, AlbumBrowse& /*browse*/, Samples& engine,
                           Samples& window, std::string& failure) {
    Catalogue& c = state.catalogue();
    FileUse files(c, {CatalogueFile::Album, CatalogueFile::Cadenzio});
    int32_t album = 0;
    for (int32_t id = 1; id <= kAlbumsSearched && album == 0; ++id) {
        if (songsOf(c, id) == kSongsWanted) album = id;
    }
    if (album == 0) {
        failure = "no album with 20 songs among the first 500";
        return false;
    }
    c.file(CatalogueFile::Album).clearBuffer();
    c.album().AlbumID = album;
    if (c.file(CatalogueFile::Album).get(AlbumRecord::KeyAlbumID) != 0) {
        failure = "the album with 20 songs could not be read";
        return false;
    }
    int listed = 0;
    QElapsedTimer clock;
    // Once the form is up (its first page painted): its song list shown and painted, then the
    // form left as Cancel leaves it.
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<FormWindow*>(QApplication::activeModalWidget());
        if (!form) return;
        form->repaint();
        window.add("open the album form (20 songs)", since(clock));
        QElapsedTimer songsClock;
        songsClock.start();
        form->findChild<QTabWidget*>("Sheet")->setCurrentIndex(1);
        auto* list = form->findChild<AlbumSongList*>();
        if (list) {
            list->repaint();
            listed = list->engine().page().count();
        }
        window.add("show the album's songs (20)", since(songsClock));
        QElapsedTimer leaving;
        leaving.start();
        form->reject();
        engine.add("leave the album form", since(leaving));
    });
    clock.start();
    state.call(Request::Change, [&state] { AlbumForm::run(state, nullptr); });
    if (listed < 1) {
        failure = "the album form listed no songs";
        return false;
    }
    return true;
}

}  // namespace cdz::bench
