// A playlist generated from the playlist browse's popup, as the program registers the generator;
// the playlist files checked after every round.
#include <QContextMenuEvent>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include "app/domain/data/Catalogue.h"
#include "app/engine/browse/BrowseList.h"
#include "app/playlists/PlaylistBrowse.h"
#include "app/playlists/PlaylistEntryList.h"
#include "app/songs/SongBrowse.h"
#include "runtime/report/PreviewWindow.h"
#include "tests/app/engine/RunningForm.h"
#include "tests/app/journeys/Journey.h"
#include "tests/app/reports/ReportFixture.h"
#include "tests/support/PdfText.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

class PlaylistJourney : public Journey {
protected:
    void rightClick(PlaylistBrowse& browse) {
        QWidget* viewport = browse.list().viewport();
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(10, 10),
                               viewport->mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(viewport, &menu);
        settle();
    }

    // The song browse's row dragged onto the playlist's entries: what the drag carries, and
    // the events the entries receive as the mouse enters, moves over them and lets go.
    static void drag(SongBrowse& songs, int row, PlaylistEntryList& entries) {
        clickRow(songs.list(), row);
        std::unique_ptr<QMimeData> carried(songs.rowMimeData(row));
        ASSERT_NE(carried, nullptr);
        QWidget* target = entries.list().viewport();
        const QPoint at(10, target->height() - 5);
        QDragEnterEvent enter(at, Qt::CopyAction, carried.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, carried.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &move);
        QDropEvent drop(QPointF(at), Qt::CopyAction, carried.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &drop);
        settle();
    }

    // The song ids of a playlist's entries, in their order.
    std::vector<int32_t> entriesOf(int32_t playlist) {
        FileUse files(catalogue(), {CatalogueFile::PlaylistDetails});
        std::vector<std::pair<int32_t, int32_t>> seqAndSong;
        DataFile& file = catalogue().file(CatalogueFile::PlaylistDetails);
        EXPECT_EQ(file.set(), 0);
        while (file.next() == 0) {
            const auto& d = catalogue().playlistEntry();
            if (d.PlaylistID == playlist)
                seqAndSong.emplace_back(int32_t(d.PlaylistSeq.toInt()), int32_t(d.ID.toInt()));
        }
        std::sort(seqAndSong.begin(), seqAndSong.end());
        std::vector<int32_t> out;
        for (const auto& [seq, song] : seqAndSong) out.push_back(song);
        return out;
    }
};

// Songs dragged from the song browse and one picked through the entry form, the picked one
// moved to the top, the playlist printed through its preview to a PDF: three playlists.
TEST_F(PlaylistJourney, FilledByDragAndPickerReorderedAndPrinted) {
    addSongs(12);
    TempDir dir;
    const QString pdf = QString::fromStdString((dir.path() / "playlist.pdf").string());
    state().printer().setOutputFormat(QPrinter::PdfFormat);
    state().printer().setOutputFileName(pdf);
    choose("actBrowseSongs");
    auto* songs = window<SongBrowse>(SongBrowse::kProcedure);
    choose("actBrowsePlayLists");
    auto* playlists = window<PlaylistBrowse>(PlaylistBrowse::kProcedure);
    ASSERT_TRUE(songs && playlists);
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        const size_t mark = markDialogs();
        QString picked;
        QTimer::singleShot(0, [&] {
            FormWindow* form = awaitForm();
            ASSERT_NE(form, nullptr);
            type(form->findChild<QLineEdit*>("PLD:PlaylistDescription"),
                 QString("Party %1").arg(round));
            auto* entries = form->findChild<PlaylistEntryList*>();
            ASSERT_NE(entries, nullptr);
            drag(*songs, round, *entries);
            drag(*songs, round + 1, *entries);
            // The entry form's song picker: the song on row 8 of the picker.
            whenModal([&](QWidget& entryForm) {
                press(entryForm, "SelectSongButton");
                picked = entryForm.findChild<QLineEdit*>("TitleShown")->text();
                press(entryForm, "OkButton");
            });
            whenModal([&](QWidget& picker) {
                clickRow(*picker.findChild<BrowseList*>(), 8);
                press(picker, "SelectButton");
            });
            press(*entries, "AddEntryButton");
            EXPECT_EQ(entries->list().topLevelItemCount(), 3);
            entries->list().setCurrentItem(entries->list().topLevelItem(2));
            press(*entries, "TopButton");
            press(*form, "OkButton");
        });
        press(*playlists, "InsertButton");
        EXPECT_TRUE(modalsDone());
        EXPECT_EQ(records(CatalogueFile::PlaylistMaster), round);
        const std::vector<int32_t> ids = entriesOf(round);
        // Rows in artist order: "Artist 1", "Artist 10", "Artist 11", "Artist 12", "Artist 2"...
        const int32_t byRow[] = {1, 10, 11, 12};
        EXPECT_EQ(ids,
                  (std::vector<int32_t>{picked.mid(6).toInt(), byRow[round - 1], byRow[round]}))
            << picked.toStdString();

        QFile::remove(pdf);
        clickRow(playlists->list(), round);
        press(*playlists, "PrintButton");
        PreviewWindow* preview = nullptr;
        ASSERT_TRUE(waitFor([&] { return (preview = openPreview()) != nullptr; }));
        click(preview->findChild<QPushButton*>("previewPrint"));
        ASSERT_TRUE(QFile::exists(pdf));
        const QString printed = pdfText(pdf);
        for (int32_t id : ids) EXPECT_TRUE(printed.contains(QString("Title %1 ").arg(id))) << id;
        EXPECT_EQ(dialogsSince(mark),
                  std::vector<std::string>{"Preview: Do you wish to PREVIEW this Report?"});
    }
    expectFilesCheckOut();
}

TEST_F(PlaylistJourney, GenerateFromThePopupAddsAPlaylist) {
    addSongs(12);
    choose("actBrowsePlayLists");
    auto* browse = window<PlaylistBrowse>(PlaylistBrowse::kProcedure);
    ASSERT_NE(browse, nullptr);
    for (int round = 1; round <= 3; ++round) {
        const size_t mark = markDialogs();
        dialogs().queue("6");  // the popup's "Generate Play List"
        bool generatorSeen = false;
        whenModal([&](QWidget& generator) {
            generatorSeen = generator.windowTitle() == "Generate Play List";
            auto* size = generator.findChild<QSpinBox*>("size");
            ASSERT_NE(size, nullptr);
            type(size, "4");
            for (QPushButton* b : generator.findChildren<QPushButton*>()) {
                if (b->text() == "&Ok") click(b);
            }
        });
        rightClick(*browse);
        EXPECT_TRUE(generatorSeen) << "round " << round;
        EXPECT_TRUE(modalsDone());
        EXPECT_EQ(records(CatalogueFile::PlaylistMaster), round);
        EXPECT_EQ(records(CatalogueFile::PlaylistDetails), 4 * round);
        const auto told = dialogsSince(mark);
        ASSERT_EQ(told.size(), 1u) << told.back();
        EXPECT_NE(told.front().find("|-|Generate Play List"), std::string::npos) << told.front();
        EXPECT_EQ(browse->engine().page().count(), round);
    }
}

}  // namespace
}  // namespace cdz::test
