// The album browse as the user meets it: its three orders and the alphabet strip over albums
// whose titles and artists share a first letter, the columns it shows and hides, the popup on an
// empty and a filled list, and the form, wizards and printout its buttons run.
#include <QAction>
#include <QContextMenuEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <ostream>

#include <gtest/gtest.h>

#include "app/albums/AlbumBrowse.h"
#include "app/albums/AlbumsProcedures.h"
#include "app/domain/data/Catalogue.h"
#include "app/shell/frame/MainFrame.h"
#include "runtime/data/DataFile.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

constexpr int kArtistField = 0;
constexpr int kAlbumField = 1;

struct Album {
    int id;
    const char* title;
    const char* artist;
};

// In number order 1 to 5; in title order M, Mabel, Mz, Quiet, Zulu; in artist order Abba, M
// (Mabel), M (Quiet), Moby, Zed.
const std::initializer_list<Album> kAlbums = {
    {1, "Zulu", "Moby"}, {2, "Mz", "Zed"}, {3, "M", "Abba"}, {4, "Mabel", "M"}, {5, "Quiet", "M"}};

void addAlbums(AppState& state, std::initializer_list<Album> albums) {
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Album), 0);
    for (const Album& a : albums) {
        c.file(CatalogueFile::Album).clearBuffer();
        c.album().AlbumID = a.id;
        c.album().Album = a.title;
        c.album().Artist = a.artist;
        c.album().Notes = std::string("Notes of ") + a.title;
        ASSERT_EQ(c.file(CatalogueFile::Album).add(), 0);
    }
    c.release(CatalogueFile::Album);
}

AlbumBrowse* openBrowse(StateFixture& f) {
    AlbumBrowse* w = AlbumBrowse::open(*f.state, nullptr);
    if (w) {
        w->show();
        settle();
    }
    return w;
}

std::string highlighted(AlbumBrowse& w, int field) {
    const BrowseEngine& e = w.engine();
    return e.choice() ? std::get<std::string>(e.rowValue(e.choice(), field)) : "";
}

QTabBar& tabs(AlbumBrowse& w) {
    return *w.findChild<QTabBar*>("SortTabs");
}

std::string popup(StateFixture& f, AlbumBrowse& w, const char* choice = "0") {
    f.dialogs->queue(choice);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, {5, 5}, {5, 5});
    QCoreApplication::sendEvent(w.list().viewport(), &menu);
    settle();
    return f.dialogs->shown().back().text;
}

TEST(AlbumBrowse, OpensByNumberWithItsCountAndHidesValueAndTotalTime) {
    StateFixture f;
    addAlbums(*f.state, kAlbums);
    AlbumBrowse* w = openBrowse(f);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Albums - 5 entries");
    EXPECT_EQ(tabs(*w).tabText(AlbumBrowse::ById), "By ID   ");
    EXPECT_EQ(highlighted(*w, kAlbumField), "Zulu");
    EXPECT_EQ(w->engine().page().count(), 5);
    const QAbstractItemModel& model = *w->list().model();
    QStringList headers;
    for (int c = 0; c < model.columnCount(); ++c) {
        headers << model.headerData(c, Qt::Horizontal).toString().trimmed();
    }
    EXPECT_EQ(headers, QStringList({"Artist", "Album", "Media", "File Number", "Released", "Rating",
                                    "Pur Price", "Purchase Date"}));
    std::vector<std::string> hidden;
    for (const LayoutColumn& c : AlbumBrowse::columnTable()) {
        if (!c.shown) hidden.push_back(c.field);
    }
    EXPECT_EQ(AlbumBrowse::columnTable().size(), 10u);
    EXPECT_EQ(hidden, (std::vector<std::string>{"ALB:Value", "ALB:TotalTime"}));
    tabs(*w).setCurrentIndex(AlbumBrowse::ByArtist);
    settle();
    EXPECT_EQ(tabs(*w).tabText(AlbumBrowse::ById), "By ID");
    EXPECT_EQ(tabs(*w).tabText(AlbumBrowse::ByArtist), "By Artist   ");
    w->close();
    settle();
    EXPECT_NE(f.state->settingsFile().read("BrowseAlbum", "SRCF?Browse:1").find("~Pur Price~"),
              std::string::npos);
    EXPECT_TRUE(f.dialogs->shown().empty()) << f.lastMessage();
}

// From the bottom of each order, the letter M: the number order reads it as 0 and starts at the
// first album; the title and artist orders blank the key's other field, so the first "M" entry
// is found whatever the highlighted album's other field held.
TEST(AlbumBrowse, LetterMLocatesInEachOrder) {
    struct Case {
        int tab;
        const char* album;
        const char* artist;
    };
    const Case cases[] = {{AlbumBrowse::ById, "Zulu", "Moby"},
                          {AlbumBrowse::ByAlbum, "M", "Abba"},
                          {AlbumBrowse::ByArtist, "Mabel", "M"}};
    StateFixture f;
    addAlbums(*f.state, kAlbums);
    AlbumBrowse* w = openBrowse(f);
    ASSERT_NE(w, nullptr);
    auto* strip = w->findChild<QTabBar*>("AlphabetStrip");
    ASSERT_EQ(strip->count(), 26);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tab);
        tabs(*w).setCurrentIndex(c.tab);
        QTest::keyClick(&w->list(), Qt::Key_End);
        strip->setCurrentIndex(3);  // D, any letter other than M
        QTest::keyClick(&w->list(), Qt::Key_End);
        strip->setCurrentIndex('M' - 'A');
        settle();
        EXPECT_EQ(highlighted(*w, kAlbumField), c.album);
        EXPECT_EQ(highlighted(*w, kArtistField), c.artist);
    }
    EXPECT_TRUE(f.dialogs->shown().empty()) << f.lastMessage();
    w->close();
    settle();
}

TEST(AlbumBrowse, PopupDisablesWhatNeedsAnAlbumOnAnEmptyList) {
    StateFixture f;
    AlbumBrowse* w = openBrowse(f);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Albums - 0 entries");
    EXPECT_EQ(w->engine().page().count(), 0);
    EXPECT_EQ(popup(f, *w),
              "&Add|~&Change|~&Delete|-|~Cop&y|-|Add Single Artist Album|Add Compilation|-|"
              "~&Print|-|~Create Label...");
    for (const char* name : {"InsertButton", "SingleArtistButton", "CompilationButton"}) {
        EXPECT_TRUE(w->findChild<QPushButton*>(name)->isEnabled()) << name;
    }
    w->close();
    settle();
    addAlbums(*f.state, {{1, "Zulu", "Moby"}});
    w = openBrowse(f);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(popup(f, *w),
              "&Add|&Change|&Delete|-|Cop&y|-|Add Single Artist Album|Add Compilation|-|&Print|-|"
              "Create Label...");
    w->close();
    settle();
}

// A procedure run, with the request and the album the buffer held.
struct Ran {
    std::string procedure;
    Request request;
    std::string album;
    std::string notes;
    bool operator==(const Ran&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Ran& r) {
        return out << r.procedure << " request " << static_cast<int>(r.request) << " album \""
                   << r.album << "\" notes \"" << r.notes << "\"";
    }
};

// Each button and popup entry runs its procedure by name with its request; the form finds in
// the album buffer a cleared record for Add and the highlighted album for the others.
TEST(AlbumBrowse, ButtonsRunTheirProceduresWithTheirRequests) {
    struct Case {
        const char* button;  // an object name, or a popup item's number
        const char* procedure;
        Request request;
        const char* album;  // in the buffer when the procedure runs
        const char* notes;
    };
    const Case cases[] = {
        {"InsertButton", AlbumBrowse::kForm, Request::Insert, "", ""},
        {"CopyButton", AlbumBrowse::kForm, Request::Insert, "Zulu", "Notes of Zulu"},
        {"ChangeButton", AlbumBrowse::kForm, Request::Change, "Zulu", "Notes of Zulu"},
        {"DeleteButton", AlbumBrowse::kForm, Request::Delete, "Zulu", "Notes of Zulu"},
        {"SingleArtistButton", "AddSingleArtist", Request::None, "Zulu", "Notes of Zulu"},
        {"CompilationButton", "AddCompilation", Request::None, "Zulu", "Notes of Zulu"},
        {"PrintButton", "PRINTONEALBUM", Request::None, "Zulu", "Notes of Zulu"},
        {"FormatButton", "FormatBrowseBox", Request::None, "Zulu", "Notes of Zulu"},
        {"8", "LabelWizard", Request::None, "Zulu", "Notes of Zulu"},
    };
    StateFixture f;
    addAlbums(*f.state, kAlbums);
    std::vector<Ran> ran;
    for (const Case& c : cases) {
        const std::string name = c.procedure;
        auto record = [&ran, &f, name] {
            const AlbumRecord& a = f.state->catalogue().album();
            ran.push_back({name, f.state->request(), a.Album.str(), a.Notes});
        };
        f.state->starter().define(name, [record](int) -> QWidget* {
            record();
            return nullptr;
        });
        f.state->starter().defineRoutine(name, record);
    }
    AlbumBrowse* w = openBrowse(f);
    ASSERT_NE(w, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        ran.clear();
        if (QPushButton* b = w->findChild<QPushButton*>(c.button)) {
            b->click();
        } else {
            popup(f, *w, c.button);
        }
        settle();
        EXPECT_EQ(ran, (std::vector<Ran>{{c.procedure, c.request, c.album, c.notes}}));
    }
    EXPECT_EQ(w->findChild<QPushButton*>("InsertButton")->text(), "&Add");
    EXPECT_EQ(w->findChild<QPushButton*>("CopyButton")->toolTip(), "Copy record");
    w->close();
    settle();
}

// A wizard leaves the album it added in the buffer: the list shows it highlighted at once, and
// the title counts it.
TEST(AlbumBrowse, AnAlbumAddedByAWizardIsListedAndCounted) {
    for (const char* wizard : {"SingleArtistButton", "CompilationButton"}) {
        SCOPED_TRACE(wizard);
        StateFixture f;
        addAlbums(*f.state, kAlbums);
        for (const char* name : {AlbumBrowse::kSingleArtist, AlbumBrowse::kCompilation}) {
            f.state->starter().defineRoutine(name, [&f] {
                Catalogue& c = f.state->catalogue();
                c.file(CatalogueFile::Album).clearBuffer();
                c.album().AlbumID = 6;
                c.album().Album = "Newest";
                c.album().Artist = "Various";
                ASSERT_EQ(c.file(CatalogueFile::Album).add(), 0);
                f.state->respond(Response::Completed);
            });
        }
        AlbumBrowse* w = openBrowse(f);
        ASSERT_NE(w, nullptr);
        w->findChild<QPushButton*>(wizard)->click();
        settle();
        EXPECT_EQ(w->windowTitle(), "Albums - 6 entries");
        EXPECT_EQ(highlighted(*w, kAlbumField), "Newest");
        EXPECT_TRUE(f.dialogs->shown().empty()) << f.lastMessage();
        w->close();
        settle();
    }
}

// The frame's Albums command and its toolbar button start the browse by its procedure name.
TEST(AlbumBrowse, TheFramesAlbumsCommandAndToolbarButtonOpenIt) {
    for (const char* command : {"actBrowseAlbums", "toolAlbums"}) {
        SCOPED_TRACE(command);
        StateFixture f;
        addAlbums(*f.state, {{1, "Zulu", "Moby"}});
        f.state->showSplash = false;
        f.state->addSubsystem(&defineAlbumsProcedures);
        MainFrame frame{*f.state};
        frame.open();
        settle();
        auto* action = frame.findChild<QAction*>(command);
        ASSERT_NE(action, nullptr);
        action->trigger();
        settle();
        AlbumBrowse* browse = nullptr;
        for (int id : f.state->starter().instances()) {
            if (f.state->starter().procedureOf(id) == AlbumBrowse::kProcedure) {
                QWidget* window = f.state->starter().window(id);
                browse = qobject_cast<AlbumBrowse*>(window);
                if (!browse && window) browse = window->findChild<AlbumBrowse*>();
            }
        }
        ASSERT_NE(browse, nullptr);
        EXPECT_EQ(browse->windowTitle(), "Albums - 1 entries");
        frame.close();
        settle();
    }
}

}  // namespace
}  // namespace cdz::test
