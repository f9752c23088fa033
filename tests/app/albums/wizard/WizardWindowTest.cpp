// The wizard's windows under the offscreen platform: the add-mode question, and a whole run of
// the single-artist wizard over a disc image, read with the stock sqlite3 shell afterwards.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cstdlib>

#include "app/albums/AlbumsProcedures.h"
#include "app/albums/cd/CdReader.h"
#include "app/albums/wizard/AlbumWizard.h"
#include "runtime/text/DateTime.h"
#include "runtime/text/Picture.h"
#include "tests/app/albums/cd/TitleServer.h"
#include "tests/app/albums/wizard/WizardFixture.h"
#include "tests/runtime/cd/DiscImage.h"
#include "tests/support/EventLoop.h"
#include "tests/support/ShellCommand.h"

namespace cdz::test {
namespace {

// Once the next modal window is up, `act` drives it.
void whenModal(std::function<void(QWidget&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        waitFor([] { return QApplication::activeModalWidget() != nullptr; });
        if (QWidget* w = QApplication::activeModalWidget()) act(*w);
    });
}

template <class W>
W& child(QWidget& w, const char* name) {
    W* found = w.findChild<W*>(name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

class WizardWindowTest : public WizardTest {
protected:
    WizardWindowTest() {
        defineAlbumsProcedures(state(), frame);
        EXPECT_EQ(cat().use(F::Media), 0);
        cat().media().Media = "CD";
        EXPECT_EQ(cat().file(F::Media).add(), 0);
        cat().release(F::Media);
    }
    QWidget frame;
};

TEST_F(WizardWindowTest, AddModeQuestionLeavesTheChosenMode) {
    for (const char* option : {"CompilationOption", "SingleArtistOption", "NormalOption"}) {
        SCOPED_TRACE(option);
        whenModal([option](QWidget& w) {
            EXPECT_EQ(w.windowTitle(), "Select Add Mode");
            child<QRadioButton>(w, option).click();
            child<QPushButton>(w, "OkButton").click();
        });
        const std::string answer = state().ask("SelectAddType");
        EXPECT_EQ(QString::fromStdString(answer).remove(' ') + "Option", option);
    }
}

TEST_F(WizardWindowTest, AMediaNameRemovedMeanwhileIsRefused) {
    const int instance = state().starter().start(AlbumWizard::kSingleArtistProcedure);
    auto* wizard = qobject_cast<AlbumWizard*>(state().starter().window(instance));
    ASSERT_NE(wizard, nullptr);
    child<QLineEdit>(*wizard, "AlbumEntry").setText("Gone Media");
    cat().media().Media = "CD";  // another station removes the one media name
    ASSERT_EQ(cat().file(F::Media).get(MediaRecord::KeyMedia), 0);
    ASSERT_EQ(cat().file(F::Media).erase(), 0);
    child<QPushButton>(*wizard, "OkButton").click();
    settle();
    EXPECT_EQ(state().starter().window(instance), wizard);
    EXPECT_EQ(fx.lastMessage(), "The value for MUS:Media must be found in the Media file.");
    wizard->reject();
    settle();
}

TEST_F(WizardWindowTest, OnlyTheSongFormsCopyHandsTheWizardItsSong) {
    for (const auto& [request, shown] :
         {std::pair{Request::Select, "Copied Artist"}, std::pair{Request::Insert, ""},
          std::pair{Request::None, ""}}) {
        cat().song().Artist = "Copied Artist";
        cat().song().Album = "Copied Album";
        QString artist = "unseen";
        whenModal([&artist](QWidget& wizard) {
            artist = child<QLineEdit>(wizard, "ArtistEntry").text();
            child<QPushButton>(wizard, "CancelButton").click();
        });
        ASSERT_NE(state().call(AlbumWizard::kSingleArtistProcedure, request), Response::None);
        EXPECT_EQ(artist, shown) << static_cast<int>(request);
    }
}

TEST_F(WizardWindowTest, DiscReadThroughTheWindowEndsAsAnAlbumInTheFiles) {
    const auto cue = writeDiscImage(fx.dir.path(), "disc", {msf(3, 25), msf(4, 10), msf(2, 5)});
    ASSERT_EQ(setenv(CdReader::kDeviceVariable, cue.c_str(), 1), 0);
    const int instance = state().starter().start(AlbumWizard::kSingleArtistProcedure);
    ASSERT_GT(instance, 0);
    auto* wizard = qobject_cast<AlbumWizard*>(state().starter().window(instance));
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(wizard->windowTitle(), "Add Album by Single Artist");
    child<QLineEdit>(*wizard, "ArtistEntry").setText("Nadia Korr");
    child<QLineEdit>(*wizard, "AlbumEntry").setText("Lanterns");
    child<QPushButton>(*wizard, "ReadDiscButton").click();
    unsetenv(CdReader::kDeviceVariable);
    auto& tracks = child<QTreeWidget>(*wizard, "TrackList");
    ASSERT_EQ(tracks.topLevelItemCount(), 3);
    EXPECT_EQ(tracks.topLevelItem(0)->text(2), " 3:25");

    // A fourth track by hand, then moved to the top.
    whenModal([](QWidget& form) {
        EXPECT_EQ(form.windowTitle(), "Track Will Be Added  (New)");
        child<QLineEdit>(form, "TitleEntry").setText("Intro");
        child<QLineEdit>(form, "TimeEntry").setText("00:01:05");
        child<QPushButton>(form, "OkButton").click();
    });
    child<QPushButton>(*wizard, "AddButton").click();
    ASSERT_EQ(tracks.topLevelItemCount(), 4);
    EXPECT_EQ(tracks.currentItem()->text(1), "Intro");
    EXPECT_EQ(child<QPushButton>(*wizard, "MoveTopButton").toolTip(), "Move record to the top");
    child<QPushButton>(*wizard, "MoveTopButton").click();
    EXPECT_EQ(tracks.topLevelItem(0)->text(1), "Intro");
    EXPECT_EQ(tracks.topLevelItem(1)->text(1), "Track 1");

    // A release date that does not read is refused with the wizard left open.
    child<QLineEdit>(*wizard, "ReleaseDateEntry").setText("not a date");
    child<QPushButton>(*wizard, "OkButton").click();
    settle();
    EXPECT_EQ(state().starter().window(instance), wizard);
    ASSERT_EQ(fx.dialogs->shown().size(), 1u);
    EXPECT_EQ(fx.dialogs->shown()[0].title, "Invalid Date");
    child<QLineEdit>(*wizard, "ReleaseDateEntry").setText("");

    child<QPushButton>(*wizard, "OkButton").click();
    EXPECT_TRUE(waitFor([&] { return state().starter().window(instance) == nullptr; }));
    EXPECT_EQ(fx.dialogs->shown().size(), 1u) << fx.lastMessage();

    const ShellResult album = runSqliteShell(cat().file(F::Album).path(),
                                             "SELECT AlbumID, Artist, Album, Media FROM Album;");
    ASSERT_TRUE(album.ran) << album.err;
    EXPECT_EQ(album.out, "1|Nadia Korr|Lanterns|CD\n");
    const ShellResult songs = runSqliteShell(
        cat().file(F::Cadenzio).path(),
        "SELECT ID, TrackNumber, Title, Artist, AlbumID, AdditionalInformation1 FROM Cadenzio "
        "ORDER BY TrackNumber;");
    ASSERT_TRUE(songs.ran) << songs.err;
    EXPECT_EQ(songs.out,
              "1|1|Intro|Nadia Korr|1|01:05\n"
              "2|2|Track 1|Nadia Korr|1|03:25\n"
              "3|3|Track 2|Nadia Korr|1|04:10\n"
              "4|4|Track 3|Nadia Korr|1|02:05\n");
    const ShellResult work =
        runSqliteShell(cat().file(F::AddWizard).path(), "SELECT COUNT(*) FROM AddWizard;");
    EXPECT_EQ(work.out, "0\n");
}

// A new category is asked about as its field is left, and not again once added.
TEST_F(WizardWindowTest, ANewCategoryIsAskedAboutAsItsFieldIsLeft) {
    const int instance = state().starter().start(AlbumWizard::kSingleArtistProcedure);
    auto* wizard = qobject_cast<AlbumWizard*>(state().starter().window(instance));
    ASSERT_NE(wizard, nullptr);
    wizard->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(wizard, 2000));
    auto& category = child<QComboBox>(*wizard, "CategoryCombo");
    category.setFocus();
    category.lineEdit()->selectAll();
    fx.dialogs->queue(Button::Yes);
    QTest::keyClicks(category.lineEdit(), "Klezmer");
    QTest::keyClick(category.lineEdit(), Qt::Key_Tab);
    settle();
    ASSERT_EQ(fx.dialogs->shown().size(), 1u);
    EXPECT_EQ(fx.lastMessage(), "Add new category?");
    EXPECT_EQ(runSqliteShell(fx.dir.path() / "CDZCAT.tps", "select Category from Categories;").out,
              "Klezmer\n");
    // Left again, the category is known.
    category.setFocus();
    QTest::keyClick(category.lineEdit(), Qt::Key_End);
    QTest::keyClick(category.lineEdit(), Qt::Key_Tab);
    settle();
    EXPECT_EQ(fx.dialogs->shown().size(), 1u) << fx.lastMessage();
    wizard->reject();
    settle();
}

// Ctrl+' in a track form's title or time takes the value of the track before.
TEST_F(WizardWindowTest, TrackFormsDittoTheTrackBefore) {
    const int instance = state().starter().start(AlbumWizard::kSingleArtistProcedure);
    ASSERT_GT(instance, 0);
    auto* wizard = qobject_cast<AlbumWizard*>(state().starter().window(instance));
    ASSERT_NE(wizard, nullptr);
    auto& tracks = child<QTreeWidget>(*wizard, "TrackList");
    for (int round = 1; round <= 3; ++round) {
        whenModal([round](QWidget& form) {
            auto& title = child<QLineEdit>(form, "TitleEntry");
            auto& time = child<QLineEdit>(form, "TimeEntry");
            if (round == 1) {
                title.setText("Nocturne");
                time.setText("3:45");
            } else {
                for (QLineEdit* entry : {&title, &time}) {
                    entry->setFocus();
                    QTest::keyClick(entry, Qt::Key_Apostrophe, Qt::ControlModifier);
                }
                title.setText(title.text() + " " + QString::number(round));
            }
            child<QPushButton>(form, "OkButton").click();
        });
        child<QPushButton>(*wizard, "AddButton").click();
        ASSERT_EQ(tracks.topLevelItemCount(), round);
    }
    EXPECT_EQ(tracks.topLevelItem(2)->text(1), "Nocturne 2 3");
    EXPECT_EQ(tracks.topLevelItem(2)->text(2), tracks.topLevelItem(0)->text(2));
    EXPECT_EQ(tracks.topLevelItem(0)->text(2), " 3:45");
    child<QPushButton>(*wizard, "CancelButton").click();
}

// A track changed after its record went away beneath the form (another station, a crash) is
// warning 16: Yes writes again (asked again while it fails), No leaves the form as cancelled,
// Cancel stays in it.
TEST_F(WizardWindowTest, AChangeThatCannotBeWrittenWritesAgainLeavesOrStays) {
    struct Case {
        std::vector<std::string> answers;
        bool stays;
    };
    const Case cases[] = {{{"No"}, false}, {{"Yes", "No"}, false}, {{"Cancel"}, true}};
    for (const Case& c : cases) {
        const int instance = state().starter().start(AlbumWizard::kSingleArtistProcedure);
        auto* wizard = qobject_cast<AlbumWizard*>(state().starter().window(instance));
        ASSERT_NE(wizard, nullptr);
        whenModal([](QWidget& form) {
            child<QLineEdit>(form, "TitleEntry").setText("Nocturne");
            child<QPushButton>(form, "OkButton").click();
        });
        child<QPushButton>(*wizard, "AddButton").click();
        const size_t mark = fx.dialogs->shown().size();
        bool stayed = false;
        whenModal([&](QWidget& form) {
            {
                FileUse work(cat(), {F::AddWizard});
                ASSERT_EQ(cat().file(F::AddWizard).set(), 0);
                while (cat().file(F::AddWizard).next() == 0)
                    ASSERT_EQ(cat().file(F::AddWizard).erase(), 0);
            }
            child<QLineEdit>(form, "TitleEntry").setText("Changed");
            for (const std::string& a : c.answers) fx.dialogs->queue(a);
            child<QPushButton>(form, "OkButton").click();
            stayed = form.isVisible();
            if (stayed) child<QPushButton>(form, "CancelButton").click();
        });
        child<QPushButton>(*wizard, "ChangeButton").click();
        EXPECT_EQ(stayed, c.stays) << c.answers.front();
        const auto& shown = fx.dialogs->shown();
        ASSERT_EQ(shown.size() - mark, c.answers.size()) << fx.lastMessage();
        for (size_t i = mark; i < shown.size(); ++i)
            EXPECT_EQ(shown[i].buttons, Button::Yes | Button::No | Button::Cancel) << shown[i].text;
        child<QPushButton>(*wizard, "CancelButton").click();
        settle();
    }
}

TEST_F(WizardWindowTest, ADiscWithCdTextNamesTheAlbumAndItsSongs) {
    const CdText text{"Lanterns", "Nadia Korr", {"Blue Hour", "", "Tidewater"}, {}};
    const auto cue =
        writeDiscImage(fx.dir.path(), "titled", {msf(3, 25), msf(4, 10), msf(2, 5)}, text);
    ASSERT_EQ(setenv(CdReader::kDeviceVariable, cue.c_str(), 1), 0);
    const int instance = state().starter().start(AlbumWizard::kSingleArtistProcedure);
    auto* wizard = qobject_cast<AlbumWizard*>(state().starter().window(instance));
    ASSERT_NE(wizard, nullptr);
    child<QPushButton>(*wizard, "ReadDiscButton").click();
    unsetenv(CdReader::kDeviceVariable);
    EXPECT_EQ(child<QLineEdit>(*wizard, "ArtistEntry").text(), "Nadia Korr");
    EXPECT_EQ(child<QLineEdit>(*wizard, "AlbumEntry").text(), "Lanterns");
    child<QPushButton>(*wizard, "OkButton").click();
    EXPECT_TRUE(waitFor([&] { return state().starter().window(instance) == nullptr; }));

    const ShellResult album =
        runSqliteShell(cat().file(F::Album).path(), "SELECT Artist, Album FROM Album;");
    EXPECT_EQ(album.out, "Nadia Korr|Lanterns\n") << album.err;
    const ShellResult songs =
        runSqliteShell(cat().file(F::Cadenzio).path(),
                       "SELECT TrackNumber, Title, Artist FROM Cadenzio ORDER BY TrackNumber;");
    EXPECT_EQ(songs.out,
              "1|Blue Hour|Nadia Korr\n"
              "2|Track 2|Nadia Korr\n"
              "3|Tidewater|Nadia Korr\n")
        << songs.err;
}

TEST_F(WizardWindowTest, PasteTitlesNamesTheReadTracksFromTheClipboard) {
    const auto cue = writeDiscImage(fx.dir.path(), "paste", {msf(3, 25), msf(4, 10), msf(2, 5)});
    ASSERT_EQ(setenv(CdReader::kDeviceVariable, cue.c_str(), 1), 0);
    const int instance = state().starter().start(AlbumWizard::kCompilationProcedure);
    auto* wizard = qobject_cast<AlbumWizard*>(state().starter().window(instance));
    ASSERT_NE(wizard, nullptr);
    child<QPushButton>(*wizard, "ReadDiscButton").click();
    unsetenv(CdReader::kDeviceVariable);
    auto& tracks = child<QTreeWidget>(*wizard, "TrackList");
    ASSERT_EQ(tracks.topLevelItemCount(), 3);

    QGuiApplication::clipboard()->setText("1. Blue Hour (3:25)\n\n2. Salt Roads - 4:10\n");
    child<QPushButton>(*wizard, "PasteTitlesButton").click();
    EXPECT_EQ(fx.lastMessage(), "Titles were pasted from 2 lines. 1 track was left untitled.");
    const int titleColumn = 2;  // after the track and the artist
    EXPECT_EQ(tracks.topLevelItem(0)->text(titleColumn), "Blue Hour");
    EXPECT_EQ(tracks.topLevelItem(1)->text(titleColumn), "Salt Roads");
    EXPECT_EQ(tracks.topLevelItem(2)->text(titleColumn), "Track 3");
    wizard->reject();
    settle();
}

// A disc of the published example's table of contents, whose disc ID the service knows, and
// the wizard pointed at a stand-in service with its own cache folder.
class LookupWindowTest : public WizardWindowTest {
protected:
    LookupWindowTest() {
        const auto cue =
            writeDiscImage(fx.dir.path(), "example", {15213, 16951, 14278, 16822, 17075, 14973});
        setenv(CdReader::kDeviceVariable, cue.c_str(), 1);
        setenv("XDG_CACHE_HOME", (fx.dir.path() / "cache").c_str(), 1);
        state().settings().musicBrainzServer = server.address();
        state().settings().musicBrainzTimeout = 5;
        const int instance = state().starter().start(AlbumWizard::kSingleArtistProcedure);
        wizard = qobject_cast<AlbumWizard*>(state().starter().window(instance));
    }
    ~LookupWindowTest() override {
        unsetenv(CdReader::kDeviceVariable);
        unsetenv("XDG_CACHE_HOME");
    }
    std::vector<std::string> shownTitles() {
        auto& view = child<QTreeWidget>(*wizard, "TrackList");
        std::vector<std::string> out;
        for (int i = 0; i < view.topLevelItemCount(); ++i)
            out.push_back(view.topLevelItem(i)->text(1).toStdString());
        return out;
    }
    TitleServer server;
    AlbumWizard* wizard = nullptr;
};

TEST_F(LookupWindowTest, TheChosenReleaseTitlesTheAlbumAndItsSongs) {
    ASSERT_NE(wizard, nullptr);
    server.answer({200, TitleServer::recorded("several.json"), 0});
    fx.dialogs->queue("3");  // after the heading: the remaster, of the two of six tracks
    child<QPushButton>(*wizard, "LookUpTitlesButton").click();
    ASSERT_EQ(fx.dialogs->shown().size(), 1u);
    EXPECT_EQ(fx.dialogs->shown()[0].text,
              "~Which release is the disc in the drive?|-|"
              "1. Harbour Lights / The Quay Singers (1988, US, 6 tracks)|"
              "2. Harbour Lights (Remaster) / The Quay Singers (2004, DE, 6 tracks)");
    EXPECT_EQ(child<QLineEdit>(*wizard, "ArtistEntry").text(), "The Quay Singers");
    EXPECT_EQ(child<QLineEdit>(*wizard, "AlbumEntry").text(), "Harbour Lights (Remaster)");
    const std::string september =
        formatPicture("@" + state().settings().dateFormat, dateFromYmd(2004, 9, 1));
    EXPECT_EQ(child<QLineEdit>(*wizard, "ReleaseDateEntry").text().toStdString(),
              QString::fromStdString(september).trimmed().toStdString());
    ASSERT_EQ(shownTitles().size(), 6u);
    child<QPushButton>(*wizard, "OkButton").click();
    settle();

    const ShellResult songs = runSqliteShell(
        cat().file(F::Cadenzio).path(),
        "SELECT TrackNumber, Title, Artist, Album FROM Cadenzio WHERE TrackNumber IN (1, 6) "
        "ORDER BY TrackNumber;");
    EXPECT_EQ(songs.out,
              "1|Harbour Lights (Remaster) 1|The Quay Singers|Harbour Lights (Remaster)\n"
              "6|Harbour Lights (Remaster) 6|The Quay Singers|Harbour Lights (Remaster)\n")
        << songs.err;
}

TEST_F(LookupWindowTest, ALookupThatFindsNothingLeavesTheReadTracksAsTheyWere) {
    ASSERT_NE(wizard, nullptr);
    child<QPushButton>(*wizard, "ReadDiscButton").click();
    const std::vector<std::string> read = shownTitles();
    ASSERT_EQ(read.size(), 6u);
    const struct {
        const char* what;
        TitleServer::Answer answer;
        std::string server;
        const char* popupAnswer;
        const char* says;
    } cases[] = {
        {"down", {}, TitleServer::downAddress(), nullptr, "could not be reached"},
        {"malformed",
         {200, TitleServer::recorded("malformed.json"), 0},
         "",
         nullptr,
         "could not be read"},
        {"cancelled choice", {200, TitleServer::recorded("several.json"), 0}, "", "0", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        server.answer(c.answer);
        state().settings().musicBrainzServer = c.server.empty() ? server.address() : c.server;
        if (c.popupAnswer) fx.dialogs->queue(c.popupAnswer);
        child<QPushButton>(*wizard, "LookUpTitlesButton").click();
        EXPECT_NE(fx.dialogs->shown().back().text.find(c.says), std::string::npos)
            << fx.dialogs->shown().back().text;
        EXPECT_EQ(shownTitles(), read);
        EXPECT_EQ(child<QLineEdit>(*wizard, "AlbumEntry").text(), "");
    }
    wizard->reject();
    settle();
}

// The window stays live while the service is slow, but Cancel and a second lookup wait for the
// first to end: the answer is then dropped, and nothing is written under a run that has ended.
TEST_F(LookupWindowTest, CancelAndASecondLookupWaitForTheAnswer) {
    ASSERT_NE(wizard, nullptr);
    server.answer({200, TitleServer::recorded("one.json"), 600});
    QTimer::singleShot(200, wizard, [this] {
        child<QPushButton>(*wizard, "LookUpTitlesButton").click();
        child<QPushButton>(*wizard, "CancelButton").click();
    });
    child<QPushButton>(*wizard, "LookUpTitlesButton").click();
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_TRUE(shownTitles().empty());
    settle();
    const ShellResult work =
        runSqliteShell(cat().file(F::AddWizard).path(), "SELECT COUNT(*) FROM AddWizard;");
    EXPECT_EQ(work.out, "0\n") << work.err;
}

}  // namespace
}  // namespace cdz::test
