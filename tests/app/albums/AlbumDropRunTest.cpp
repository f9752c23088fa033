// Across the program's windows: a song dragged from the song browse onto a new album in the
// album form, and the insert cancelled. The files are then read with the sqlite3 shell.
#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <memory>

#include <gtest/gtest.h>

#include "app/albums/AlbumSongList.h"
#include "app/albums/AlbumsProcedures.h"
#include "app/engine/form/FormWindow.h"
#include "app/songs/SongBrowse.h"
#include "app/songs/SongsProcedures.h"
#include "tests/app/engine/RunningForm.h"
#include "tests/support/EventLoop.h"
#include "tests/support/ShellCommand.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

TEST(AlbumDropRun, ACancelledNewAlbumKeepsNoSongThatWasDroppedOnIt) {
    StateFixture f;
    QWidget frame;
    defineSongsProcedures(*f.state, frame);
    defineAlbumsProcedures(*f.state, frame);
    Catalogue& cat = f.state->catalogue();
    {
        FileUse files(cat, {F::Album, F::Cadenzio, F::Media});
        cat.album().AlbumID = 1;
        cat.album().Album = "First";
        ASSERT_EQ(cat.file(F::Album).add(), 0);
        cat.file(F::Cadenzio).clearBuffer();
        cat.song().ID = 1;
        cat.song().Title = "Dragged";
        cat.song().AlbumID = 1;
        ASSERT_EQ(cat.file(F::Cadenzio).add(), 0);
    }
    ProcedureStarter& starter = f.state->starter();
    const int songsWindow = starter.start(SongBrowse::kProcedure);
    const int albumsWindow = starter.start("BrowseAlbum");
    ASSERT_GT(songsWindow, 0);
    ASSERT_GT(albumsWindow, 0);
    settle();
    auto* songs = qobject_cast<SongBrowse*>(starter.window(songsWindow));
    ASSERT_NE(songs, nullptr);
    ASSERT_EQ(songs->engine().page().count(), 1);

    int32_t reserved = 0;
    QTimer::singleShot(0, [&] {
        FormWindow* form = nullptr;
        ASSERT_TRUE(waitFor([&] {
            form = runningForm();
            return form != nullptr;
        }));
        reserved = cat.album().AlbumID;
        form->findChild<QTabWidget*>("Sheet")->setCurrentIndex(1);
        settle();
        auto* list = form->findChild<AlbumSongList*>();
        std::unique_ptr<QMimeData> dragged(songs->rowMimeData(1));
        QWidget* target = list->list().viewport();
        QDragEnterEvent enter(QPoint(4, 4), Qt::CopyAction, dragged.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(4, 4), Qt::CopyAction, dragged.get(), Qt::LeftButton,
                        Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        EXPECT_EQ(list->engine().page().count(), 1);
        form->findChild<QPushButton*>("CancelButton")->click();
    });
    starter.window(albumsWindow)->findChild<QPushButton*>("InsertButton")->click();
    ASSERT_EQ(reserved, 2);
    for (int id : {songsWindow, albumsWindow}) starter.window(id)->close();
    settle();

    const auto onIt = runSqliteShell(f.dir.path() / "cdzdata.tps",
                                     "select count(*) from Cadenzio where AlbumID = 2;");
    EXPECT_EQ(onIt.out, "0\n");
    const auto song =
        runSqliteShell(f.dir.path() / "cdzdata.tps", "select AlbumID from Cadenzio where ID = 1;");
    EXPECT_EQ(song.out, "1\n");
    const auto albums =
        runSqliteShell(f.dir.path() / "cdzalbum.tps", "select count(*) from Album;");
    EXPECT_EQ(albums.out, "1\n");
}

}  // namespace
}  // namespace cdz::test
