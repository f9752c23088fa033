// The song form over real files: the add mode, "CD" for a song without media, copies, the
// category added on the spot, the range checks, and the album link made after the song is
// written.
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/songs/SongForm.h"
#include "app/songs/SongsProcedures.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

class SongFormTest : public ::testing::Test {
protected:
    SongFormTest() : files(cat(), {F::Cadenzio, F::Album, F::Media, F::Categories}) {
        defineSongsProcedures(*f.state, frame);
        for (const char* m : {"CD", "LP"}) {
            cat().media().Media = m;
            EXPECT_EQ(cat().file(F::Media).add(), 0);
        }
    }
    Catalogue& cat() { return f.state->catalogue(); }

    // Runs the form on a request; `step` drives the window once it is up.
    Response run(Request r, std::function<void(FormWindow&)> step = {}) {
        if (step) {
            QTimer::singleShot(0, [step] {
                FormWindow* form = nullptr;
                ASSERT_TRUE(waitFor([&] {
                    form = qobject_cast<FormWindow*>(QApplication::activeModalWidget());
                    return form != nullptr;
                }));
                step(*form);
            });
        }
        return f.state->call(r, [&] { SongForm::run(*f.state, nullptr); });
    }
    static void type(FormWindow& form, const char* field, const QString& text) {
        auto* edit = form.findChild<QLineEdit*>(field);
        if (!edit) edit = form.findChild<QWidget*>(field)->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static void ok(FormWindow& form) { form.findChild<QPushButton*>("OkButton")->click(); }
    int64_t count(F which) { return cat().file(which).records(); }

    StateFixture f;
    QWidget frame;
    FileUse files;
};

TEST_F(SongFormTest, TheAddModeDecidesWhoTakesANewSong) {
    struct Case {
        const char* mode;
        Request request;
        const char* title;  // the song buffer's title before the call
        const char* answer;
        std::vector<std::string> ran;
        bool formOpens;
    };
    const std::vector<Case> cases{
        {"Ask Each Time",
         Request::Insert,
         "",
         "Single Artist",
         {"SelectAddType", "AddSingleArtist"},
         false},
        {"Ask Each Time", Request::Insert, "", "Normal", {"SelectAddType"}, true},
        {"Ask Each Time", Request::Select, "Filled", "", {}, true},
        {"Compilation", Request::Insert, "", "", {"AddCompilation"}, false},
        {"Compilation", Request::Change, "", "", {}, true},
        {"Normal", Request::Insert, "", "", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.title);
        std::vector<std::string> ran;
        for (const char* name : {"SelectAddType", "AddSingleArtist", "AddCompilation"}) {
            f.state->starter().defineRoutine(name, [this, &ran, name, &c] {
                ran.emplace_back(name);
                if (std::string(name) == "SelectAddType") f.state->answerWith(c.answer);
            });
        }
        f.state->settings().addMode = c.mode;
        cat().file(F::Cadenzio).clearBuffer();
        cat().song().Title = c.title;
        bool opened = false;
        const Response r =
            run(c.request, c.formOpens ? std::function<void(FormWindow&)>([&](FormWindow& form) {
                    opened = true;
                    form.reject();
                })
                                       : nullptr);
        EXPECT_EQ(r, Response::Cancelled);
        EXPECT_EQ(ran, c.ran);
        EXPECT_EQ(opened, c.formOpens);
        EXPECT_EQ(count(F::Cadenzio), 0);
    }
}

// A new song with AutoAddToAlbums on is put on the album of its title and artist, made once;
// a copy takes every value but the number.
TEST_F(SongFormTest, SavedSongsShareTheirAlbumAndACopyKeepsEverythingButTheNumber) {
    f.state->settings().addMode = "Normal";
    for (const char* title : {"Intro", "Outro"}) {
        cat().file(F::Cadenzio).clearBuffer();
        EXPECT_EQ(run(Request::Insert,
                      [title](FormWindow& form) {
                          EXPECT_EQ(form.windowTitle(), "Adding Information");
                          type(form, "MUS:Artist", "Nina");
                          type(form, "MUS:Title", title);
                          type(form, "MUS:Album", "Live");
                          ok(form);
                      }),
                  Response::Completed);
        EXPECT_EQ(cat().song().Media, "CD");
        EXPECT_EQ(cat().song().AlbumID, 1);
    }
    EXPECT_EQ(count(F::Album), 1);
    cat().album().AlbumID = 1;
    ASSERT_EQ(cat().file(F::Album).get(AlbumRecord::KeyAlbumID), 0);
    EXPECT_EQ(cat().album().Artist, "Nina");

    const int32_t copied = cat().song().ID;
    EXPECT_EQ(run(Request::Select, [](FormWindow& form) { ok(form); }), Response::Completed);
    EXPECT_NE(cat().song().ID, copied);
    EXPECT_EQ(cat().song().Title, "Outro");
    EXPECT_EQ(cat().song().AlbumID, 1);
    EXPECT_EQ(count(F::Cadenzio), 3);
}

// A refused save makes no album either: the album follows the song, never the other way.
TEST_F(SongFormTest, TrackAndChartNumbersAreCheckedOnOk) {
    f.state->settings().addMode = "Normal";
    cat().file(F::Cadenzio).clearBuffer();
    std::vector<std::string> messages;
    EXPECT_EQ(run(Request::Insert,
                  [&](FormWindow& form) {
                      type(form, "MUS:Album", "Live");
                      auto* track = form.findChild<QSpinBox*>("MUS:TrackNumber");
                      auto* chart = form.findChild<QSpinBox*>("MUS:ChartNumber");
                      // Typed as a person types it: "300" stays 300, never the "30" so far.
                      track->selectAll();
                      QTest::keyClicks(track, "300");
                      EXPECT_EQ(track->value(), 300);
                      chart->setValue(101);
                      ok(form);
                      messages.push_back(f.lastMessage());
                      track->setValue(99);
                      ok(form);
                      messages.push_back(f.lastMessage());
                      EXPECT_EQ(count(F::Album), 0);
                      chart->setValue(100);
                      ok(form);
                  }),
              Response::Completed);
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "The value of MUS:TrackNumber must be between 0 and 99.",
                            "The value of MUS:ChartNumber must be between 0 and 100."}));
    EXPECT_EQ(cat().song().ChartNumber, 100);
    EXPECT_EQ(count(F::Album), 1);
}

TEST_F(SongFormTest, ANewCategoryIsAddedOnlyWhenTheUserSaysYes) {
    f.state->settings().addMode = "Normal";
    cat().category().CategoryID = 4;
    cat().category().Category = "Jazz";
    ASSERT_EQ(cat().file(F::Categories).add(), 0);
    cat().file(F::Cadenzio).clearBuffer();
    f.dialogs->queue("No");
    f.dialogs->queue("Yes");
    EXPECT_EQ(run(Request::Insert,
                  [&](FormWindow& form) {
                      type(form, "CAT:Category", "Blues");
                      ok(form);
                      EXPECT_TRUE(form.isVisible());
                      EXPECT_EQ(count(F::Categories), 1);
                      ok(form);
                  }),
              Response::Completed);
    EXPECT_EQ(count(F::Categories), 2);
    EXPECT_EQ(cat().song().CategoryID, 5);
}

TEST_F(SongFormTest, ASongWithoutMediaIsShownAndSavedWithCD) {
    cat().file(F::Cadenzio).clearBuffer();
    cat().song().Title = "Bare";
    ASSERT_EQ(cat().file(F::Cadenzio).add(), 0);
    cat().file(F::Cadenzio).watch();
    ASSERT_EQ(cat().file(F::Cadenzio).getRecord(cat().file(F::Cadenzio).recordNumber()), 0);
    EXPECT_EQ(run(Request::Change,
                  [](FormWindow& form) {
                      EXPECT_EQ(
                          form.findChild<QWidget*>("MUS:Media")->findChild<QLineEdit*>()->text(),
                          "CD");
                      ok(form);
                  }),
              Response::Completed);
    cat().file(F::Cadenzio).clearBuffer();
    ASSERT_EQ(cat().file(F::Cadenzio).set(), 0);
    ASSERT_EQ(cat().file(F::Cadenzio).next(), 0);
    EXPECT_EQ(cat().song().Media, "CD");
}

// The album's title, media and number always replace the song's; its other values fill only
// what the song left empty.
TEST_F(SongFormTest, DefaultWithAlbumInformationFillsOnlyWhatIsEmptyButTheAlbumItself) {
    f.state->starter().defineRoutine("SelectAlbum", [this] {
        EXPECT_EQ(f.state->request(), Request::Select);
        AlbumRecord& a = cat().album();
        a.AlbumID = 7;
        a.Album = "Blue";
        a.Artist = "Joni";
        a.Media = "LP";
        a.FileNumber = "F-7";
        a.ReleaseDate = 26000;
        a.CategoryID = 3.0;
        a.Notes = "album notes";
        f.state->respond(Response::Completed);
    });
    SongRecord& song = cat().song();
    cat().file(F::Cadenzio).clearBuffer();
    song.Album = "Mine";
    song.Media = "CD";
    song.AlbumID = 2;
    song.Artist = "Someone";
    song.Notes = "my notes";
    SongFormRules rules(*f.state);
    rules.defaultWithAlbum();
    EXPECT_EQ(song.Album, "Blue");
    EXPECT_EQ(song.Media, "LP");
    EXPECT_EQ(song.AlbumID, 7);
    EXPECT_EQ(song.Artist, "Someone");
    EXPECT_EQ(song.Notes, "my notes");
    EXPECT_EQ(song.FileNumber, "F-7");
    EXPECT_EQ(song.ReleaseDate, 26000);
    EXPECT_EQ(song.CategoryID, 3);
}

}  // namespace
}  // namespace cdz::test
