// The playlist form as the user meets it: songs dropped on the entry list of a new playlist
// that is then cancelled, and a save that stamps the date and refuses a second playlist of the
// same name. With CDZ_SHOTS set to a folder, the form with a few entries is saved there as
// playlistform.png.
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include "app/engine/state/ProcedureNames.h"
#include "app/playlists/ChartCopyWindow.h"
#include "app/playlists/PlaylistEntryForm.h"
#include "app/playlists/PlaylistEntryList.h"
#include "app/playlists/PlaylistForm.h"
#include "app/songs/DragTypes.h"
#include "runtime/text/DateTime.h"
#include "runtime/text/Picture.h"
#include "tests/app/engine/RunningForm.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

class PlaylistFormTest : public ::testing::Test {
protected:
    PlaylistFormTest() : files(cat(), {F::Cadenzio, F::PlaylistDetails, F::PlaylistMaster}) {
        const struct {
            int32_t id;
            const char* artist;
            const char* title;
            int32_t time;
        } songs[] = {{1, "The Harbour Lights", "Evening Tide", 24500},
                     {2, "Mara Quill", "Paper Lanterns", 31800},
                     {3, "Northbound", "Static on the Radio", 19950}};
        for (const auto& s : songs) {
            cat().file(F::Cadenzio).clearBuffer();
            cat().song().ID = s.id;
            cat().song().Artist = s.artist;
            cat().song().Title = s.title;
            cat().song().Time = s.time;
            EXPECT_EQ(cat().file(F::Cadenzio).add(), 0);
        }
    }
    Catalogue& cat() { return f.state->catalogue(); }
    void addPlaylist(int32_t id, const char* name) {
        cat().file(F::PlaylistMaster).clearBuffer();
        cat().playlist().PlaylistID = id;
        cat().playlist().PlaylistDescription = name;
        EXPECT_EQ(cat().file(F::PlaylistMaster).add(), 0);
    }
    // Drags a payload over the list and drops it; whether the list accepted the drag.
    static bool dropOn(PlaylistEntryList& list, const QMimeData& data) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list.list().viewport(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list.list().viewport(), &drop);
        return true;
    }
    static bool dropSong(PlaylistEntryList& list, int64_t id) {
        QMimeData data;
        data.setData(kSongMimeType, QByteArray::number(static_cast<qlonglong>(id)));
        return dropOn(list, data);
    }
    // Runs `inside` once the form is up, then the form itself on `request`.
    Response runForm(Request request, const std::function<void(FormWindow&)>& inside) {
        QTimer::singleShot(0, [&] {
            FormWindow* form = nullptr;
            ASSERT_TRUE(waitFor([&] {
                form = runningForm();
                return form != nullptr;
            }));
            inside(*form);
        });
        return f.state->call(request, [&] { PlaylistForm::run(*f.state, nullptr); });
    }

    StateFixture f;
    FileUse files;
};

TEST_F(PlaylistFormTest, ACancelledNewPlaylistTakesTheSongsDroppedOnItWithIt) {
    cat().file(F::PlaylistMaster).clearBuffer();
    int32_t reserved = 0;
    const Response r = runForm(Request::Insert, [&](FormWindow& form) {
        reserved = cat().playlist().PlaylistID;
        auto* list = form.findChild<PlaylistEntryList*>();
        ASSERT_NE(list, nullptr);
        QMimeData foreign;
        foreign.setText("2");
        EXPECT_FALSE(dropOn(*list, foreign));  // plain text is not a song of the program
        EXPECT_TRUE(dropSong(*list, 2));
        EXPECT_TRUE(dropSong(*list, 3));
        ASSERT_EQ(list->rows().size(), 2u);
        EXPECT_EQ(list->rows()[0].seq, 1);  // the first entry of an empty playlist
        EXPECT_EQ(list->rows()[1].title, "Static on the Radio");
        form.findChild<QPushButton*>("CancelButton")->click();
    });
    EXPECT_EQ(r, Response::Cancelled);
    ASSERT_GT(reserved, 0);
    EXPECT_EQ(cat().file(F::PlaylistMaster).records(), 0);
    EXPECT_EQ(cat().file(F::PlaylistDetails).records(), 0);
}

TEST_F(PlaylistFormTest, OkStampsTodayAndRefusesASecondPlaylistOfTheSameName) {
    addPlaylist(1, "Friday Night");
    for (int64_t id : {1, 2, 3}) {
        cat().file(F::PlaylistDetails).clearBuffer();
        cat().playlistEntry().PlaylistID = 1;
        cat().playlistEntry().PlaylistSeq = Decimal<6, 0>::fromRaw(id * 2);
        cat().playlistEntry().ID = Decimal<6, 0>::fromRaw(id);
        cat().playlistEntry().PlaylistNotes = id == 1 ? "opener LW:3" : "";
        ASSERT_EQ(cat().file(F::PlaylistDetails).add(), 0);
    }
    // The form over the playlist with its entries, as the user sees it.
    ASSERT_EQ(cat().file(F::PlaylistMaster).get(PlaylistMasterRecord::KeyPlaylistID), 0);
    EXPECT_EQ(
        runForm(Request::Change,
                [&](FormWindow& form) {
                    auto* list = form.findChild<PlaylistEntryList*>();
                    ASSERT_NE(list, nullptr);
                    EXPECT_EQ(list->list().topLevelItemCount(), 3);
                    EXPECT_EQ(form.findChild<QLabel*>("TotalTime")->text().toStdString(),
                              formatPicture("@T4", 1.0 + 24499 + 31799 + 19949));
                    if (const char* dir = std::getenv("CDZ_SHOTS")) {
                        QDir().mkpath(dir);
                        const QPixmap shot = form.grab();
                        EXPECT_FALSE(shot.isNull());
                        EXPECT_TRUE(shot.toImage().save(QString(dir) + "/playlistform.png", "PNG"));
                    }
                    form.findChild<QPushButton*>("OkButton")->click();
                }),
        Response::Completed);
    EXPECT_EQ(cat().playlist().LastEditDate, today());

    cat().file(F::PlaylistMaster).clearBuffer();
    int shownBefore = 0;
    const Response r = runForm(Request::Insert, [&](FormWindow& form) {
        auto* name = form.findChild<QLineEdit*>("PLD:PlaylistDescription");
        ASSERT_NE(name, nullptr);
        name->setText("Friday Night");
        shownBefore = static_cast<int>(f.dialogs->shown().size());
        form.findChild<QPushButton*>("OkButton")->click();
        EXPECT_GT(static_cast<int>(f.dialogs->shown().size()), shownBefore);
        EXPECT_NE(f.lastMessage().find("Playlists"), std::string::npos) << f.lastMessage();
        name->setText("Saturday Morning");
        form.findChild<QPushButton*>("OkButton")->click();
    });
    EXPECT_EQ(r, Response::Completed);
    EXPECT_EQ(cat().file(F::PlaylistMaster).records(), 2);
}

// Char&t asks first; answered OK, every entry carries its position as last week's.
TEST_F(PlaylistFormTest, TheChartButtonAsksThenMarksEveryEntryWithItsPosition) {
    addPlaylist(1, "Top Tunes");
    ASSERT_EQ(cat().file(F::PlaylistMaster).get(PlaylistMasterRecord::KeyPlaylistID), 0);
    const Response r = runForm(Request::Change, [&](FormWindow& form) {
        auto* list = form.findChild<PlaylistEntryList*>();
        ASSERT_NE(list, nullptr);
        for (int64_t song : {3, 1}) ASSERT_TRUE(dropSong(*list, song));
        auto* chart = form.findChild<QPushButton*>("ChartButton");
        f.dialogs->queue(Button::Cancel);
        chart->click();
        EXPECT_EQ(f.dialogs->shown().back().title, "Warning");
        EXPECT_EQ(f.lastMessage(), ChartCopyWindow::kQuestion);
        EXPECT_EQ(list->rows()[0].notes, "");
        f.dialogs->queue(Button::Ok);
        chart->click();
        ASSERT_EQ(list->rows().size(), 2u);
        EXPECT_EQ(list->rows()[0].notes, " LW:1");
        EXPECT_EQ(list->rows()[1].notes, " LW:2");
        form.findChild<QPushButton*>("CancelButton")->click();
    });
    EXPECT_EQ(r, Response::Cancelled);
}

// The entry form adds after the last entry with the song the picker chose, and changes a note;
// the list shows both at once.
TEST_F(PlaylistFormTest, TheEntryFormAddsThePickedSongAfterTheLastEntryAndChangesItsNote) {
    addPlaylist(1, "Road Trip");
    f.state->starter().defineRoutine(proc::kSelectFileNumber, [this] {
        cat().song().ID = 3;
        f.state->respond(f.state->request() == Request::Select ? Response::Completed
                                                               : Response::Cancelled);
    });
    ASSERT_EQ(cat().file(F::PlaylistMaster).get(PlaylistMasterRecord::KeyPlaylistID), 0);
    const Response r = runForm(Request::Change, [&](FormWindow& form) {
        auto* list = form.findChild<PlaylistEntryList*>();
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(dropSong(*list, 1));
        // Each press opens the entry form over the playlist form; `fill` acts inside it.
        auto inEntryForm = [&](const char* button, const std::function<void(FormWindow&)>& fill) {
            QTimer::singleShot(0, [&] {
                FormWindow* entry = nullptr;
                ASSERT_TRUE(waitFor([&] {
                    entry = qobject_cast<FormWindow*>(QApplication::activeModalWidget());
                    return entry != nullptr && entry != &form;
                }));
                fill(*entry);
                entry->findChild<QPushButton*>("OkButton")->click();
            });
            form.findChild<QPushButton*>(button)->click();
        };
        inEntryForm("AddEntryButton", [](FormWindow& entry) {
            EXPECT_EQ(entry.windowTitle(), "Update the PlaylistDetails File");
            entry.findChild<QPushButton*>("SelectSongButton")->click();
            EXPECT_EQ(entry.findChild<QLineEdit*>("TitleShown")->text(), "Static on the Radio");
            entry.findChild<QLineEdit*>("PLA:PlaylistNotes")->setText("closer");
        });
        ASSERT_EQ(list->rows().size(), 2u);
        EXPECT_EQ(list->rows()[1].seq, 2);
        EXPECT_EQ(list->rows()[1].title, "Static on the Radio");
        EXPECT_EQ(list->current(), 2);
        inEntryForm("ChangeEntryButton", [](FormWindow& entry) {
            entry.findChild<QLineEdit*>("PLA:PlaylistNotes")->setText("encore");
        });
        EXPECT_EQ(list->rows()[1].notes, "encore");
        form.findChild<QPushButton*>("CancelButton")->click();
    });
    EXPECT_EQ(r, Response::Cancelled);
    EXPECT_EQ(cat().file(F::PlaylistDetails).records(), 2);  // entries are kept at once
}

// The song shown on the entry form: each prompt's accelerator reaches its field, and the whole
// field shows inside its page.
TEST_F(PlaylistFormTest, TheEntryFormsSongPromptsReachTheirWholeFields) {
    cat().file(F::PlaylistDetails).clearBuffer();
    cat().playlistEntry().PlaylistID = 1;
    cat().playlistEntry().PlaylistSeq = Decimal<6, 0>::fromRaw(1);
    cat().playlistEntry().ID = Decimal<6, 0>::fromRaw(2);
    ASSERT_EQ(cat().file(F::PlaylistDetails).add(), 0);
    QTimer::singleShot(0, [&] {
        FormWindow* form = nullptr;
        ASSERT_TRUE(waitFor([&] {
            form = runningForm();
            return form != nullptr;
        }));
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
        for (const auto& [key, name] :
             {std::pair{Qt::Key_A, "ArtistShown"}, {Qt::Key_T, "TitleShown"}}) {
            auto* field = form->findChild<QLineEdit*>(name);
            ASSERT_NE(field, nullptr);
            QTest::keyClick(form, key, Qt::AltModifier);
            EXPECT_EQ(QApplication::focusWidget(), field) << name;
            EXPECT_TRUE(field->parentWidget()->rect().contains(field->geometry())) << name;
        }
        EXPECT_EQ(form->findChild<QLineEdit*>("TitleShown")->text(), "Paper Lanterns");
        form->findChild<QPushButton*>("CancelButton")->click();
    });
    EXPECT_EQ(f.state->call(Request::Change, [&] { PlaylistEntryForm::run(*f.state, nullptr); }),
              Response::Cancelled);
}

}  // namespace
}  // namespace cdz::test
