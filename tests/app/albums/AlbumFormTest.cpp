// The album form over real files: the copy rule, songs put on the album (dropped, assigned in
// bulk), the walk through its songs, and a cancelled insert that leaves no song on the number
// it had reserved.
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include "app/albums/AlbumAttachments.h"
#include "app/albums/AlbumForm.h"
#include "app/albums/AlbumFormRules.h"
#include "app/albums/AlbumSongList.h"
#include "app/songs/DragTypes.h"
#include "app/songs/SongsProcedures.h"
#include "tests/app/engine/RunningForm.h"
#include "tests/runtime/cd/DiscImage.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

class AlbumFormTest : public ::testing::Test {
protected:
    AlbumFormTest() : files(cat(), {F::Cadenzio, F::Album, F::Media, F::Categories}) {
        defineSongsProcedures(*f.state, frame);
        cat().media().Media = "CD";
        EXPECT_EQ(cat().file(F::Media).add(), 0);
    }
    Catalogue& cat() { return f.state->catalogue(); }

    // Album `id` changed in the form, `act` run on its songs page once the form is up.
    Response onSongsPage(int32_t id, std::function<void(FormWindow&)> act) {
        cat().album().AlbumID = id;
        EXPECT_EQ(cat().file(F::Album).get(AlbumRecord::KeyAlbumID), 0);
        QTimer::singleShot(0, [act = std::move(act)] {
            FormWindow* form = awaitForm();
            ASSERT_NE(form, nullptr);
            form->findChild<QTabWidget*>("Sheet")->setCurrentIndex(1);
            settle();
            act(*form);
        });
        return f.state->call(Request::Change, [&] { AlbumForm::run(*f.state, nullptr); });
    }

    int32_t addAlbum(int32_t id, const char* title, const char* fileNumber = "") {
        cat().file(F::Album).clearBuffer();
        cat().album().AlbumID = id;
        cat().album().Album = title;
        cat().album().Artist = "Artist";
        cat().album().Media = "CD";
        cat().album().FileNumber = fileNumber;
        EXPECT_EQ(cat().file(F::Album).add(), 0);
        return id;
    }
    void addSong(int32_t id, int32_t album, const char* media = "CD", const char* fileNumber = "",
                 const char* title = "Song") {
        cat().file(F::Cadenzio).clearBuffer();
        SongRecord& s = cat().song();
        s.ID = id;
        s.AlbumID = album;
        s.Media = media;
        s.FileNumber = fileNumber;
        s.Title = title;
        s.TrackNumber = static_cast<uint8_t>(id % 100);
        EXPECT_EQ(cat().file(F::Cadenzio).add(), 0);
    }
    // The album a song is on; -1 when the song is gone.
    int32_t albumOf(int32_t song) {
        cat().file(F::Cadenzio).clearBuffer();
        cat().song().ID = song;
        if (cat().file(F::Cadenzio).get(SongRecord::KeyID) != 0) return -1;
        return cat().song().AlbumID;
    }

    StateFixture f;
    QWidget frame;
    FileUse files;
};

TEST_F(AlbumFormTest, ACopysTitleNeverEqualsItsSource) {
    const std::string full40 = "Forty Characters Of Album Title Exactly!";
    ASSERT_EQ(full40.size(), 40u);
    const struct {
        std::string title, copy;
    } cases[] = {
        {"Greatest Hits", "Greatest Hits - Copy"},
        {"Greatest Hits   ", "Greatest Hits - Copy"},
        {full40, "Forty Characters Of Album Title E - Copy"},
        {"Björk: Début et Homogénic à Reykjavík  Ü", "Björk: Début et Homogénic à Reykj - Copy"},
    };
    for (const auto& c : cases) {
        const std::string copy = AlbumFormRules::copyTitle(c.title);
        EXPECT_EQ(copy, c.copy) << c.title;
        EXPECT_NE(copy, c.title);
        EXPECT_LE(QString::fromStdString(copy).size(), 40);
    }
    // An insert of a filled record is a copy; of a cleared one, a new album.
    AlbumFormRules rules(*f.state);
    cat().album().Album = "Greatest Hits";
    cat().album().CDIdentifier = " 9123";
    rules.enter(Request::Insert);
    EXPECT_EQ(cat().album().Album.clipped(), "Greatest Hits - Copy");
    EXPECT_TRUE(cat().album().CDIdentifier.clipped().empty());
    cat().file(F::Album).clearBuffer();
    rules.enter(Request::Insert);
    EXPECT_TRUE(cat().album().Album.clipped().empty());
}

TEST_F(AlbumFormTest, BulkAssignmentTakesTheRunOfMatchingSongsAndCountsOnlyThose) {
    struct Case {
        const char* albumFileNumber;
        std::vector<std::tuple<const char*, const char*>> songs;  // media, file number
        int assigned;
        const char* title;
        const char* text;
    };
    const std::vector<Case> cases{
        {"A12",
         {{"CD", "a12"}, {"CD", "A12 "}, {"CD", "A12"}, {"CD", "A13"}},
         3,
         "Process complete.",
         "3 songs assigned."},
        {"B12",
         {{"CD", "B13"}},
         0,
         "Process failed.",
         "No songs with that file number were found."},
        {"C12",
         {},
         0,
         "Process failed.",
         "No songs with that media type and file number were found."},
        {"D12", {{"LP", "D12"}}, 0, "Process failed.", "No songs with that media type were found."},
    };
    int32_t album = 100, song = 1000;
    for (const Case& c : cases) {
        ++album;
        addAlbum(album, ("Bulk " + std::to_string(album)).c_str(), c.albumFileNumber);
        std::vector<int32_t> made;
        for (const auto& [media, number] : c.songs) {
            addSong(++song, 0, media, number);
            made.push_back(song);
        }
        cat().album().AlbumID = album;
        cat().album().Media = "CD";
        cat().album().FileNumber = c.albumFileNumber;
        AlbumFormRules rules(*f.state);
        EXPECT_EQ(rules.assignByFileNumber(), c.assigned) << c.text;
        EXPECT_EQ(f.dialogs->shown().back().title, c.title);
        EXPECT_EQ(f.dialogs->shown().back().text, c.text);
        int onAlbum = 0;
        for (int32_t id : made) onAlbum += albumOf(id) == album ? 1 : 0;
        EXPECT_EQ(onAlbum, c.assigned) << c.text;
        // Another album's songs of the same number are left where they are.
        for (int32_t id : made) {
            if (albumOf(id) != album) {
                EXPECT_EQ(albumOf(id), 0);
            }
        }
    }
}

TEST_F(AlbumFormTest, EditAllSongsOnAnEmptyAlbumEndsAtOnce) {
    addAlbum(7, "Empty");
    addAlbum(8, "Other");
    addSong(1, 8);
    cat().album().AlbumID = 7;
    AlbumFormRules(*f.state).editAllSongs();
    ASSERT_EQ(f.dialogs->shown().size(), 1u);
    EXPECT_EQ(f.dialogs->shown()[0].text, "End of songs on this album.");
}

TEST_F(AlbumFormTest, EditAllSongsWalksTheAlbumInTrackOrderWhileTheFormSaysOK) {
    addAlbum(6, "Walked");
    addAlbum(9, "Next");
    for (int32_t id : {63, 61, 62}) addSong(id, 6);  // tracks 63, 61, 62
    addSong(91, 9);
    for (const int okCount : {3, 1}) {
        std::vector<int32_t> edited;
        f.state->starter().defineRoutine(AlbumFormRules::kSongForm, [&] {
            EXPECT_EQ(f.state->request(), Request::Change);
            edited.push_back(cat().song().ID);
            cat().song().Title = "Edited";  // the form writes the song, moving the file on
            EXPECT_EQ(cat().file(F::Cadenzio).put(), 0);
            if (static_cast<int>(edited.size()) <= okCount) f.state->answerWith("OK");
        });
        const size_t before = f.dialogs->shown().size();
        cat().album().AlbumID = 6;
        AlbumFormRules(*f.state).editAllSongs();
        if (okCount == 3) {
            EXPECT_EQ(edited, (std::vector<int32_t>{61, 62, 63}));
            EXPECT_EQ(f.lastMessage(), "End of songs on this album.");
        } else {
            EXPECT_EQ(edited, (std::vector<int32_t>{61, 62}));  // Cancel on the second ends it
            EXPECT_EQ(f.dialogs->shown().size(), before);
        }
    }
}

TEST_F(AlbumFormTest, SelectExistingSongsAsksFirstWhenTheAlbumHasAFileNumber) {
    struct Case {
        const char* fileNumber;
        Button answer;  // Button::None: no question expected
        bool pickerRuns;
        int32_t onAlbum;  // songs on the album afterwards
    };
    const Case cases[] = {
        {"", Button::None, true, 1},
        {"X1", Button::No, true, 1},
        {"X1", Button::Cancel, false, 0},
        {"X1", Button::Yes, false, 2},
    };
    int32_t album = 20;
    for (const Case& c : cases) {
        ++album;
        addAlbum(album, ("Pick " + std::to_string(album)).c_str(), c.fileNumber);
        addSong(album * 10 + 1, 0, "CD", c.fileNumber);
        addSong(album * 10 + 2, 0, "CD", c.fileNumber);
        bool ran = false;
        f.state->starter().defineRoutine(AlbumFormRules::kSongPicker, [&] {
            ran = true;
            EXPECT_EQ(f.state->request(), Request::Select);
            cat().song().ID = album * 10 + 2;
            ASSERT_EQ(cat().file(F::Cadenzio).get(SongRecord::KeyID), 0);
            f.state->respond(Response::Completed);
        });
        const size_t before = f.dialogs->shown().size();
        if (c.answer != Button::None) f.dialogs->queue(c.answer);
        AlbumFormRules(*f.state).selectExisting();
        EXPECT_EQ(ran, c.pickerRuns) << album;
        const auto& shown = f.dialogs->shown();
        EXPECT_EQ(shown.size() > before ? shown[before].title : "",
                  c.answer == Button::None ? "" : "Assign Songs To Album");
        int32_t on = 0;
        for (int32_t s : {album * 10 + 1, album * 10 + 2}) on += albumOf(s) == album ? 1 : 0;
        EXPECT_EQ(on, c.onAlbum) << album;
    }
}

TEST_F(AlbumFormTest, ACancelledInsertLeavesNoSongOnItsReservedNumber) {
    addAlbum(4, "Elsewhere");
    addSong(41, 4, "CD", "", "Moved here and back");
    addSong(42, 0, "CD", "", "Loose");
    cat().file(F::Album).clearBuffer();
    int32_t reserved = 0;
    QTimer::singleShot(0, [&] {
        FormWindow* form = awaitForm();
        ASSERT_NE(form, nullptr);
        reserved = cat().album().AlbumID;
        form->findChild<QTabWidget*>("Sheet")->setCurrentIndex(1);
        auto* list = form->findChild<AlbumSongList*>();
        ASSERT_NE(list, nullptr);
        settle();
        // Two songs dropped from the song browse, one of them from another album.
        for (int song : {41, 42}) {
            QMimeData data;
            data.setData(kSongMimeType, QByteArray::number(song));
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton,
                                  Qt::NoModifier);
            QCoreApplication::sendEvent(list->list().viewport(), &enter);
            ASSERT_TRUE(enter.isAccepted());
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(list->list().viewport(), &drop);
        }
        // A song added on the album meanwhile (as the song form or the CD reader adds one).
        cat().file(F::Cadenzio).clearBuffer();
        cat().song().ID = 43;
        cat().song().AlbumID = reserved;
        EXPECT_EQ(cat().file(F::Cadenzio).add(), 0);
        EXPECT_EQ(albumOf(41), reserved);
        EXPECT_EQ(list->engine().page().count(), 2);  // the drops show at once
        form->findChild<QPushButton*>("CancelButton")->click();
    });
    EXPECT_EQ(f.state->call(Request::Insert, [&] { AlbumForm::run(*f.state, nullptr); }),
              Response::Cancelled);
    ASSERT_GT(reserved, 4);
    EXPECT_EQ(albumOf(41), 4);   // back on the album it came from
    EXPECT_EQ(albumOf(42), 0);   // back on none
    EXPECT_EQ(albumOf(43), -1);  // made on the new album: gone with it
    EXPECT_EQ(cat().file(F::Album).records(), 1);
}

TEST_F(AlbumFormTest, ADropOfAnUnknownSongOrAForeignTypeChangesNothing) {
    addAlbum(5, "Target");
    addSong(51, 0);
    AlbumFormRules rules(*f.state);
    cat().album().AlbumID = 5;
    EXPECT_FALSE(rules.takeSong(999));
    EXPECT_FALSE(rules.takeSong(0));
    EXPECT_EQ(albumOf(51), 0);
    cat().album().AlbumID = 5;
    EXPECT_TRUE(rules.takeSong(51));
    EXPECT_EQ(albumOf(51), 5);
}

TEST_F(AlbumFormTest, TheAssociatedFilesAreShownAndPlayedOrTheUserIsToldWhy) {
    QWidget page;
    AlbumAttachments shown(*f.state);
    QLabel* image = shown.makeImage(&page);
    image->resize(60, 60);
    QPushButton* play = shown.makePlay(&page);
    const std::string picture = (f.dir.path() / "cover.png").string();
    QImage cover(16, 16, QImage::Format_RGB32);
    cover.fill(Qt::red);
    ASSERT_TRUE(cover.save(QString::fromStdString(picture)));

    AlbumRecord& album = cat().album();
    album.AssociatedImage = picture;
    shown.refresh();
    EXPECT_EQ(shown.shownImage(), picture);
    EXPECT_FALSE(play->isEnabled());  // no sound file named
    EXPECT_FALSE(shown.play());
    EXPECT_TRUE(f.dialogs->shown().empty());

    album.AssociatedImage = (f.dir.path() / "gone.png").string();
    album.AssociatedWAVFile = (f.dir.path() / "gone.wav").string();
    shown.refresh();
    EXPECT_EQ(shown.shownImage(), "");
    EXPECT_EQ(image->text(), "No picture");
    EXPECT_TRUE(play->isEnabled());
    EXPECT_FALSE(shown.play());
    EXPECT_EQ(f.lastMessage(), "Could not play " + (f.dir.path() / "gone.wav").string() +
                                   ".|The file does not exist.");
}

TEST_F(AlbumFormTest, TheCompactDiscPageTimesTheSongsAndReadsTheSerialIntoTheAlbum) {
    addAlbum(3, "Disc");
    addSong(31, 3);  // track 31 % 100: not on the disc, left alone
    cat().file(F::Cadenzio).clearBuffer();
    cat().song().ID = 32;
    cat().song().AlbumID = 3;
    cat().song().TrackNumber = 1;
    cat().song().Title = "Opening";
    ASSERT_EQ(cat().file(F::Cadenzio).add(), 0);
    const auto image = writeDiscImage(f.dir.path(), "disc", {msf(3, 25), msf(4, 10), msf(1, 2)});
    ASSERT_EQ(setenv("CDZ_CD_DEVICE", image.c_str(), 1), 0);
    cat().album().AlbumID = 3;
    ASSERT_EQ(cat().file(F::Album).get(AlbumRecord::KeyAlbumID), 0);
    std::vector<std::string> said;
    int listed = 0;
    QTimer::singleShot(0, [&] {
        FormWindow* form = awaitForm();
        ASSERT_NE(form, nullptr);
        auto press = [&](const char* name) {
            form->findChild<QPushButton*>(name)->click();
            said.push_back(f.lastMessage());
        };
        press("ReadSerialButton");
        press("LoadFromCdButton");
        press("LoadFromCdButton");
        press("ReadSerialButton");
        form->findChild<QTabWidget*>("Sheet")->setCurrentIndex(1);
        settle();
        listed = form->findChild<AlbumSongList*>()->engine().page().count();
        form->findChild<QPushButton*>("OkButton")->click();
    });
    EXPECT_EQ(f.state->call(Request::Change, [&] { AlbumForm::run(*f.state, nullptr); }),
              Response::Completed);
    unsetenv("CDZ_CD_DEVICE");
    EXPECT_EQ(said, (std::vector<std::string>{
                        "CD Identification updated.", "CD information updated.",
                        "The album's songs already match the disc: nothing was changed.",
                        "CD Identification not updated."}));
    EXPECT_EQ(listed, 4);  // tracks 1 to 3 and the song of track 31
    cat().file(F::Cadenzio).clearBuffer();
    cat().song().ID = 32;
    ASSERT_EQ(cat().file(F::Cadenzio).get(SongRecord::KeyID), 0);
    EXPECT_EQ(cat().song().Title.clipped(), "Opening");  // timed, not renamed
    EXPECT_EQ(cat().song().Time, (3 * 60 + 25) * 100 + 1);
    cat().album().AlbumID = 3;
    ASSERT_EQ(cat().file(F::Album).get(AlbumRecord::KeyAlbumID), 0);
    EXPECT_EQ(cat().album().CDIdentifier.view().substr(0, 2), " 3");
}

TEST_F(AlbumFormTest, PasteTitlesUnderTheSongListRetitlesTheAlbumsSongs) {
    addAlbum(4, "Pasted");
    addAlbum(5, "Neighbour");
    for (int32_t id : {399, 402, 410}) addSong(id, 4);  // tracks 99, 2 and 10
    addSong(501, 5, "CD", "", "Untouched");
    EXPECT_EQ(onSongsPage(4,
                          [](FormWindow& form) {
                              QGuiApplication::clipboard()->setText(
                                  "A1 Overture\nA2 Finale\nB1 Encore\n");
                              form.findChild<QPushButton*>("PasteTitlesButton")->click();
                              form.findChild<QPushButton*>("OkButton")->click();
                          }),
              Response::Completed);
    EXPECT_EQ(f.lastMessage(), "Titles were pasted from 3 lines.");
    std::vector<std::string> titles;
    for (int32_t id : {402, 410, 399, 501}) {
        cat().song().ID = id;
        ASSERT_EQ(cat().file(F::Cadenzio).get(SongRecord::KeyID), 0);
        titles.push_back(cat().song().Title.str());
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Overture", "Finale", "Encore", "Untouched"}));
}

// The song list's buttons show their captions whole in the font of the day.
TEST_F(AlbumFormTest, TheSongListsButtonsShowTheirCaptionsWhole) {
    addAlbum(4, "Captions");
    onSongsPage(4, [](FormWindow& form) {
        for (const char* name : {"SelectExistingButton", "EditAllButton"}) {
            auto* b = form.findChild<QPushButton*>(name);
            ASSERT_NE(b, nullptr) << name;
            EXPECT_GE(b->width(), b->sizeHint().width()) << name;
        }
        form.findChild<QPushButton*>("CancelButton")->click();
    });
}

}  // namespace
}  // namespace cdz::test
