// Across the program's windows: the form of a new playlist runs beside the song browse, so a
// song dragged from the browse reaches its entries, while the playlist browse that started the
// form takes no clicks until the form is answered. The files are then read with the sqlite3 shell.
#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

#include <gtest/gtest.h>

#include "app/playlists/PlaylistBrowse.h"
#include "app/playlists/PlaylistEntryList.h"
#include "app/playlists/PlaylistsProcedures.h"
#include "app/songs/SongBrowse.h"
#include "app/songs/SongsProcedures.h"
#include "tests/app/engine/RunningForm.h"
#include "tests/support/EventLoop.h"
#include "tests/support/ShellCommand.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

TEST(PlaylistDropRun, ASongDraggedFromTheSongBrowseJoinsTheOpenPlaylistForm) {
    StateFixture f;
    QWidget frame;
    defineSongsProcedures(*f.state, frame);
    definePlaylistsProcedures(*f.state, frame);
    Catalogue& cat = f.state->catalogue();
    {
        FileUse files(cat, {F::Cadenzio});
        cat.song().ID = 7;
        cat.song().Title = "Dragged";
        ASSERT_EQ(cat.file(F::Cadenzio).add(), 0);
    }
    ProcedureStarter& starter = f.state->starter();
    const int songsWindow = starter.start(SongBrowse::kProcedure);
    const int playlistsWindow = starter.start(PlaylistBrowse::kProcedure);
    ASSERT_GT(songsWindow, 0);
    ASSERT_GT(playlistsWindow, 0);
    settle();
    auto* songs = qobject_cast<SongBrowse*>(starter.window(songsWindow));
    QWidget* playlists = starter.window(playlistsWindow);
    ASSERT_NE(songs, nullptr);

    bool besideTheSongs = false;
    auto* insert = playlists->findChild<QPushButton*>("InsertButton");
    int inserts = 0;
    QTimer::singleShot(0, [&] {
        FormWindow* form = nullptr;
        ASSERT_TRUE(waitFor([&] { return (form = runningForm()) != nullptr; }));
        // Nothing modal stands between the user and the song browse; the caller is set aside.
        besideTheSongs = QApplication::activeModalWidget() == nullptr && songs->isEnabled();
        QObject::connect(insert, &QPushButton::clicked, [&inserts] { ++inserts; });
        QTest::mouseClick(insert, Qt::LeftButton);
        auto* entries = form->findChild<PlaylistEntryList*>();
        ASSERT_NE(entries, nullptr);
        std::unique_ptr<QMimeData> dragged(songs->rowMimeData(1));
        QWidget* target = entries->list().viewport();
        QDragEnterEvent enter(QPoint(4, 4), Qt::CopyAction, dragged.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(4, 4), Qt::CopyAction, dragged.get(), Qt::LeftButton,
                        Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        settle();
        form->findChild<QPushButton*>("OkButton")->click();
    });
    insert->click();
    EXPECT_TRUE(besideTheSongs);
    EXPECT_EQ(inserts, 0);
    EXPECT_TRUE(playlists->isEnabled());
    for (int id : {songsWindow, playlistsWindow}) starter.window(id)->close();
    settle();

    const auto entries = runSqliteShell(f.dir.path() / "cdzpldet.tps",
                                        "select PlaylistID, PlaylistSeq, ID from PlaylistDetails;");
    EXPECT_EQ(entries.out, "1|1|7\n");
}

}  // namespace
}  // namespace cdz::test
