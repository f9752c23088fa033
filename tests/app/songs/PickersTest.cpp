// The album and song pickers as the user meets them: their buttons with and without a select
// request, the record Select leaves behind, the category order and the locators of the tabs.
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/domain/data/Catalogue.h"
#include "app/engine/browse/BrowseWindow.h"
#include "app/songs/Pickers.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

struct Song {
    const char* artist;
    const char* title;
    const char* album;
    const char* media;
    int category;
    int chart;
};

void addAlbums(AppState& state, std::initializer_list<const char*> titles) {
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Album), 0);
    for (const char* t : titles) {
        c.file(CatalogueFile::Album).clearBuffer();
        c.album().Album = t;
        c.album().Artist = "Various";
        ASSERT_EQ(c.file(CatalogueFile::Album).add(), 0);
    }
    c.file(CatalogueFile::Album).clearBuffer();
    c.release(CatalogueFile::Album);
}

// Categories 1 "Rock" and 2 "Jazz", and the songs given.
void addSongs(AppState& state, std::initializer_list<Song> songs) {
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Categories), 0);
    ASSERT_EQ(c.use(CatalogueFile::Cadenzio), 0);
    for (const char* name : {"Rock", "Jazz"}) {
        c.file(CatalogueFile::Categories).clearBuffer();
        c.category().Category = name;
        ASSERT_EQ(c.file(CatalogueFile::Categories).add(), 0);
    }
    for (const Song& s : songs) {
        c.file(CatalogueFile::Cadenzio).clearBuffer();
        c.song().Artist = s.artist;
        c.song().Title = s.title;
        c.song().Album = s.album;
        c.song().Media = s.media;
        c.song().CategoryID = s.category;
        c.song().ChartNumber = static_cast<uint8_t>(s.chart);
        ASSERT_EQ(c.file(CatalogueFile::Cadenzio).add(), 0);
    }
    c.file(CatalogueFile::Cadenzio).clearBuffer();
    c.file(CatalogueFile::Categories).clearBuffer();
    c.release(CatalogueFile::Cadenzio);
    c.release(CatalogueFile::Categories);
}

const std::initializer_list<Song> kSongs = {
    {"Abba", "Waterloo", "Gold", "CD", 1, 12},
    {"Basie", "April in Paris", "Atomic", "LP", 2, 40},
    {"Coltrane", "Naima", "Giant Steps", "LP", 2, 3},
    {"Dylan", "Hurricane", "Desire", "Tape", 0, 0},
};

std::string text(const BrowseEngine& e, int row, int field) {
    const auto* s = std::get_if<std::string>(&e.rowValue(row, field));
    return s ? *s : std::string();
}

// Field `field` of every row of the page, top to bottom.
std::vector<std::string> column(const BrowseEngine& e, int field) {
    std::vector<std::string> out;
    for (int r = 1; r <= e.page().count(); ++r) out.push_back(text(e, r, field));
    return out;
}

void doubleClickFirstRow(BrowseWindow& w) {
    const QRect cell = w.list().visualRect(w.list().model()->index(0, 0));
    QTest::mouseDClick(w.list().viewport(), Qt::LeftButton, {}, cell.center());
}

TEST(Pickers, AlbumPickerWithoutASelectRequestHasOnlyCloseAndIgnoresDoubleClicks) {
    StateFixture f;
    addAlbums(*f.state, {"Blue", "Kind of Blue"});
    f.state->settings().dateFormat = "d6";
    BrowseWindow* w = Pickers::album(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    settle();
    EXPECT_EQ(w->windowTitle(), "Select An Orvanta Album");
    for (const char* name : {"SelectButton", "InsertButton", "ChangeButton", "DeleteButton"}) {
        auto* b = w->findChild<QPushButton*>(name);
        EXPECT_FALSE(b->isVisible() || b->isEnabled()) << name;
    }
    auto* close = w->findChild<QPushButton*>("CloseButton");
    EXPECT_EQ(close->text(), "Cl&ose");
    EXPECT_EQ(close->toolTip(), "Close this window");
    ASSERT_EQ(w->engine().page().count(), 2);
    doubleClickFirstRow(*w);
    settle();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(f.dialogs->shown().empty());
    EXPECT_EQ(w->engine().response(), Response::Cancelled);
    w->close();
    settle();
    // The list's layout is kept in the picker's section, its dates in the user's format.
    EXPECT_NE(f.state->settingsFile().read("SelectAlbum", "SRCF?Browse:1").find("@d6@"),
              std::string::npos);
    EXPECT_NE(f.state->settingsFile().read("SelectAlbum", "SRCFOriginal?Browse:1"), "");
}

// Run with a select request, each picker leaves the second row's record in its buffer with
// Completed, whether chosen by its button, by a double click or by the popup; Close answers
// Cancelled.
TEST(Pickers, SelectLeavesTheChosenRecordInTheBufferAndCloseCancels) {
    enum class How { Button, DoubleClick, Popup, Close };
    struct Case {
        const char* name;
        BrowseWindow* (*make)(AppState&, QWidget*);
        How how;
        Response response;
        std::string chosen;  // the buffer's album title or song title afterwards
    };
    const Case cases[] = {
        {"album button", &Pickers::album, How::Button, Response::Completed, "Kind of Blue"},
        {"album double click", &Pickers::album, How::DoubleClick, Response::Completed, "Blue"},
        {"album close", &Pickers::album, How::Close, Response::Cancelled, ""},
        {"song popup", &Pickers::fileNumber, How::Popup, Response::Completed, "April in Paris"},
        {"song close", &Pickers::fileNumber, How::Close, Response::Cancelled, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StateFixture f;
        addAlbums(*f.state, {"Blue", "Kind of Blue", "Lady in Satin"});
        addSongs(*f.state, kSongs);
        BrowseWindow* w = nullptr;
        f.state->call(Request::Select, [&] { w = c.make(*f.state, nullptr); });
        ASSERT_NE(w, nullptr);
        QTimer::singleShot(0, [w, &c, &f] {
            auto* select = w->findChild<QPushButton*>("SelectButton");
            EXPECT_TRUE(select->isVisible() && select->isEnabled() && select->isDefault());
            EXPECT_EQ(w->window()->windowTitle().toStdString(), w->windowTitle().toStdString());
            if (c.how == How::DoubleClick) return doubleClickFirstRow(*w);
            QTest::keyClick(&w->list(), Qt::Key_Down);
            if (c.how == How::Button) select->click();
            if (c.how == How::Close) w->findChild<QPushButton*>("CloseButton")->click();
            if (c.how == How::Popup) {
                f.dialogs->queue("1");
                QContextMenuEvent menu(QContextMenuEvent::Mouse, {5, 5}, {5, 5});
                QCoreApplication::sendEvent(w->list().viewport(), &menu);
                EXPECT_EQ(f.dialogs->shown().back().text, "&Select");
            }
        });
        EXPECT_EQ(BrowseWindow::runModal(w, nullptr), c.response);
        if (c.response != Response::Completed) continue;
        Catalogue& cat = f.state->catalogue();
        if (c.make == &Pickers::album) {
            EXPECT_EQ(cat.album().Album, c.chosen);
            EXPECT_NE(cat.album().AlbumID, 0);
        } else {
            EXPECT_EQ(cat.song().Title, c.chosen);
            EXPECT_EQ(cat.song().Artist, "Basie");
        }
    }
}

// The "By Category" order shows the songs of the category last chosen with "&Select Category",
// even after another order's rows have filled the category buffer with their own categories.
TEST(Pickers, ByCategoryShowsTheChosenCategorysSongsOnly) {
    StateFixture f;
    addSongs(*f.state, kSongs);
    f.state->catalogue().category().CategoryID = 1;
    int next = 2;
    f.state->starter().defineRoutine("BrowseCategories", [&] {
        EXPECT_EQ(f.state->request(), Request::Select);
        f.state->catalogue().category().CategoryID = next;
        f.state->respond(Response::Completed);
    });
    BrowseWindow* w = Pickers::fileNumber(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    settle();
    EXPECT_EQ(w->windowTitle(), "Browse Music Database - 4 entries");
    // A song without a category shows a blank category.
    EXPECT_EQ(column(w->engine(), 6), (std::vector<std::string>{"Rock", "Jazz", "Jazz", ""}));
    auto* tabs = w->findChild<QTabBar*>("SortTabs");
    tabs->setCurrentIndex(4);
    EXPECT_EQ(column(w->engine(), 1), std::vector<std::string>{"Waterloo"});
    w->findChild<QPushButton*>("SelectCategoryButton")->click();
    EXPECT_EQ(column(w->engine(), 1), (std::vector<std::string>{"April in Paris", "Naima"}));
    tabs->setCurrentIndex(0);
    QTest::keyClick(&w->list(), Qt::Key_Home);  // Abba, a Rock song, fills the category buffer
    ASSERT_EQ(f.state->catalogue().category().CategoryID.toInt(), 1);
    tabs->setCurrentIndex(4);
    EXPECT_EQ(column(w->engine(), 1), (std::vector<std::string>{"April in Paris", "Naima"}));
    next = 0;
    w->findChild<QPushButton*>("SelectCategoryButton")->click();
    EXPECT_EQ(column(w->engine(), 1), std::vector<std::string>{"Hurricane"});
    w->close();
    settle();
}

// Each tab locates by its own field as the user types (the chart number read as a number), shows
// the typed text after "Locator:", and starts blank whenever it is chosen.
TEST(Pickers, EachTabLocatesByItsFieldAndStartsWithABlankLocator) {
    struct Case {
        int tab;
        const char* typed;
        const char* title;  // the highlighted song's title
    };
    const Case cases[] = {
        {0, "co", "Naima"},    {1, "h", "Hurricane"}, {2, "gi", "Naima"},
        {3, "t", "Hurricane"}, {5, "12", "Waterloo"}, {0, "b", "April in Paris"},
    };
    StateFixture f;
    addSongs(*f.state, kSongs);
    BrowseWindow* w = Pickers::fileNumber(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    settle();
    auto* tabs = w->findChild<QTabBar*>("SortTabs");
    auto* locator = w->findChild<QLabel*>("Locator");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        tabs->setCurrentIndex(c.tab == tabs->currentIndex() ? (c.tab + 1) % 6 : c.tab);
        tabs->setCurrentIndex(c.tab);
        EXPECT_EQ(locator->text(), "");
        QTest::keyClicks(&w->list(), c.typed);
        EXPECT_EQ(locator->text(), c.typed);
        EXPECT_EQ(text(w->engine(), w->engine().choice(), 1), c.title);
    }
    w->close();
    settle();
}

}  // namespace
}  // namespace cdz::test
