// The song browse as the user meets it: its orders over artists that differ in case and
// accents, the media and category ranges chosen with the pickers, the alphabet strip, the tab
// captions, the popup, the buttons whose procedures are missing, and the song form it calls.
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include "app/domain/data/Catalogue.h"
#include "app/songs/SongBrowse.h"
#include "runtime/data/DataFile.h"
#include "runtime/text/DateTime.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

struct Song {
    const char* artist;
    const char* title = "Song";
    const char* media = "";
    int category = 0;
    int chart = 0;
};

void addSongs(AppState& state, std::initializer_list<Song> songs) {
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Cadenzio), 0);
    DataFile& file = c.file(CatalogueFile::Cadenzio);
    for (const Song& s : songs) {
        file.clearBuffer();
        c.song().Artist = s.artist;
        c.song().Title = s.title;
        c.song().Album = "Album";
        c.song().Media = s.media;
        c.song().CategoryID = s.category;
        c.song().ChartNumber = static_cast<uint8_t>(s.chart);
        c.song().UserDefinedKeyField = "Key";
        ASSERT_EQ(file.add(), 0);
    }
    c.release(CatalogueFile::Cadenzio);
}

void addCategory(AppState& state, int id, const char* name) {
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Categories), 0);
    c.category().CategoryID = id;
    c.category().Category = name;
    ASSERT_EQ(c.file(CatalogueFile::Categories).add(), 0);
    c.release(CatalogueFile::Categories);
}

SongBrowse* openBrowse(StateFixture& f) {
    SongBrowse* w = SongBrowse::open(*f.state, nullptr);
    if (w) {
        w->show();
        settle();
    }
    return w;
}

// A page field of every row (0 Title, 1 Artist, 3 Media).
std::vector<std::string> column(SongBrowse& w, int field) {
    std::vector<std::string> out;
    for (int r = 1; r <= w.engine().page().count(); ++r) {
        out.push_back(std::get<std::string>(w.engine().rowValue(r, field)));
    }
    return out;
}

std::string highlighted(SongBrowse& w, int field) {
    return w.engine().choice()
               ? std::get<std::string>(w.engine().rowValue(w.engine().choice(), field))
               : "";
}

QString cell(SongBrowse& w, int row, int column) {
    return w.list().model()->index(row, column).data().toString();
}

QPushButton* button(SongBrowse& w, const char* name) {
    return w.findChild<QPushButton*>(name);
}

QTabBar& tabs(SongBrowse& w) {
    return *w.findChild<QTabBar*>("SortTabs");
}

void chooseTab(SongBrowse& w, int tab) {
    tabs(w).setCurrentIndex(tab);
    settle();
}

TEST(SongBrowse, ShowsSongsWithTheirCategoriesAndTheUsersDateFormat) {
    StateFixture f;
    f.state->settings().dateFormat = "d10";
    addCategory(*f.state, 1, "Rock");
    addSongs(*f.state, {{"Abba", "Waterloo", "CD", 1}, {"Cher", "Believe", "CD", 7}});
    ASSERT_EQ(f.state->catalogue().use(CatalogueFile::Cadenzio), 0);
    DataFile& songs = f.state->catalogue().file(CatalogueFile::Cadenzio);
    ASSERT_EQ(songs.set(), 0);
    ASSERT_EQ(songs.next(), 0);  // in record order: the first song added
    f.state->catalogue().song().ReleaseDate = dateFromYmd(1974, 4, 6);
    ASSERT_EQ(songs.put(), 0);
    f.state->catalogue().release(CatalogueFile::Cadenzio);
    SongBrowse* w = openBrowse(f);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Songs - 2 entries");
    EXPECT_EQ(tabs(*w).count(), 7);
    EXPECT_EQ(cell(*w, 0, 0), "Waterloo");
    EXPECT_EQ(cell(*w, 0, 5), "Rock");
    // Category 7 has no record: the song shows a blank category.
    EXPECT_EQ(cell(*w, 1, 0), "Believe");
    EXPECT_EQ(cell(*w, 1, 5).trimmed(), "");
    EXPECT_TRUE(cell(*w, 0, 7).startsWith("1974")) << cell(*w, 0, 7).toStdString();
    EXPECT_EQ(w->list().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    w->close();
    settle();
    EXPECT_NE(f.state->settingsFile().read("BrowseSongs", "SRCF?Browse").find("~Released~"),
              std::string::npos);
    EXPECT_TRUE(f.dialogs->shown().empty()) << f.lastMessage();
}

// Artists that differ only in case and accents: the case-insensitive keys fold case but keep
// accents ("BJORK" before both spellings of "Björk", which tie and keep the order they were
// added in); the media key has no artist, so all three tie; the other keys compare code points.
// Walking the list one row at a time, down and back up, meets the same order with nothing
// skipped or repeated.
TEST(SongBrowse, EveryTabOrdersArtistsThatDifferInCaseAndAccentsStably) {
    StateFixture f;
    addCategory(*f.state, 1, "Pop");
    addSongs(*f.state, {{"björk", "Song", "CD", 1, 9},
                        {"Björk", "Song", "CD", 1, 9},
                        {"BJORK", "Song", "CD", 1, 9}});
    const std::vector<std::string> folded = {"BJORK", "björk", "Björk"};
    const std::vector<std::string> exact = {"BJORK", "Björk", "björk"};
    const std::vector<std::string> added = {"björk", "Björk", "BJORK"};
    const std::vector<std::vector<std::string>> expected = {folded, folded, folded, added,
                                                            exact,  exact,  exact};
    SongBrowse* w = openBrowse(f);
    ASSERT_NE(w, nullptr);
    // Set before the media order is first shown, it stays while the other orders read to the
    // end of the file.
    f.state->catalogue().media().Media = "CD";
    for (int tab = 0; tab < SongBrowse::kTabCount; ++tab) {
        SCOPED_TRACE(tab);
        chooseTab(*w, tab);
        if (tab == SongBrowse::ByCategory) {
            // Leaving the media order left the highlighted song's category in its buffer.
            EXPECT_EQ(w->engine().page().count(), 3);
        }
        EXPECT_EQ(column(*w, 1), expected[static_cast<size_t>(tab)]);
    }
    // One row at a time: every movement reads the next record from the file.
    for (int h = w->list().height(); w->list().visibleRows() > 1 && h > 0; h -= 2) {
        w->list().setFixedHeight(h);
    }
    settle();
    for (int tab = 0; tab < SongBrowse::kTabCount; ++tab) {
        SCOPED_TRACE(tab);
        chooseTab(*w, tab);
        QTest::keyClick(&w->list(), Qt::Key_Home);
        ASSERT_EQ(w->engine().page().count(), 1);
        std::vector<std::string> down{highlighted(*w, 1)}, up;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(&w->list(), Qt::Key_Down);
            if (highlighted(*w, 1) != down.back()) down.push_back(highlighted(*w, 1));
        }
        up.push_back(highlighted(*w, 1));
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(&w->list(), Qt::Key_Up);
            if (highlighted(*w, 1) != up.front()) up.insert(up.begin(), highlighted(*w, 1));
        }
        EXPECT_EQ(down, expected[static_cast<size_t>(tab)]);
        EXPECT_EQ(up, expected[static_cast<size_t>(tab)]);
    }
    EXPECT_TRUE(f.dialogs->shown().empty()) << f.lastMessage();
    w->close();
    settle();
}

// The pickers run in select mode; whatever they leave in their file's buffer is the new range.
// Before any pick the media range is the blank media name.
TEST(SongBrowse, RangesFollowWhatThePickersLeaveInTheBuffer) {
    struct Case {
        int tab;
        const char* button;
        const char* picker;
        std::vector<std::string> before;
        std::vector<std::string> after;
    };
    const std::vector<Case> cases = {
        {SongBrowse::ByMedia, "SelectMediaButton", "BrowseMedia", {"Blank"}, {"Pub", "pub"}},
        {SongBrowse::ByCategory,
         "SelectCategoryButton",
         "BrowseCategories",
         {"Pub", "pub", "Blank"},
         {"Rock"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picker);
        StateFixture f;
        addCategory(*f.state, 2, "Rock");
        addSongs(*f.state, {{"A", "Pub", "O'Neil's"},
                            {"B", "pub", "o'neil's"},
                            {"C", "Blank", ""},
                            {"D", "Rock", "CD", 2}});
        std::vector<Request> requests;
        f.state->starter().defineRoutine(c.picker, [&] {
            requests.push_back(f.state->request());
            f.state->catalogue().media().Media = "O'Neil's";
            f.state->catalogue().category().CategoryID = 2;
            f.state->respond(Response::Completed);
        });
        SongBrowse* w = openBrowse(f);
        ASSERT_NE(w, nullptr);
        f.state->catalogue().media().Media = "";
        EXPECT_TRUE(button(*w, c.button)->isHidden());
        // The category order starts from the highlighted song's category: A's, none.
        chooseTab(*w, c.tab);
        EXPECT_FALSE(button(*w, c.button)->isHidden());
        EXPECT_EQ(column(*w, 0), c.before);
        button(*w, c.button)->click();
        settle();
        EXPECT_EQ(requests, std::vector<Request>{Request::Select});
        EXPECT_EQ(column(*w, 0), c.after);
        EXPECT_EQ(w->engine().choice(), 1);
        EXPECT_TRUE(f.dialogs->shown().empty()) << f.lastMessage();
        chooseTab(*w, SongBrowse::ByTitle);
        EXPECT_TRUE(button(*w, c.button)->isHidden());
        w->close();
        settle();
    }
}

// The highlighted song is not in the range of the tab chosen: the range shows from its top
// rather than being searched for the song (which read through the whole range).
TEST(SongBrowse, ARangedTabOpensAtTheTopOfItsRangeWhenTheHighlightedSongIsOutsideIt) {
    StateFixture f;
    std::vector<std::string> titles;
    for (int i = 0; i < 30; ++i) titles.push_back("t" + std::to_string(10 + i));
    for (const std::string& t : titles) addSongs(*f.state, {{"Band", t.c_str(), "CD"}});
    addSongs(*f.state, {{"Aardvark", "zz", "LP"}});
    SongBrowse* w = openBrowse(f);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(column(*w, 0).front(), "zz");  // the highlighted song, on LP
    f.state->catalogue().media().Media = "cd";
    chooseTab(*w, SongBrowse::ByMedia);
    ASSERT_FALSE(column(*w, 0).empty());
    EXPECT_EQ(column(*w, 0).front(), "t10");
    EXPECT_EQ(w->engine().choice(), 1);
    w->close();
    settle();
}

// A letter of the strip is the locator's value; on the chart order it is the number 0, so the
// top of the list, whatever song was highlighted.
TEST(SongBrowse, AlphabetStripLocatesByTheLetterInTheCurrentOrder) {
    StateFixture f;
    addSongs(*f.state,
             {{"Zed", "One", "", 0, 5}, {"Abba", "Two", "", 0, 12}, {"Moby", "Three", "", 0, 40}});
    SongBrowse* w = openBrowse(f);
    ASSERT_NE(w, nullptr);
    auto* strip = w->findChild<QTabBar*>("AlphabetStrip");
    ASSERT_EQ(strip->count(), 26);
    EXPECT_EQ(strip->tabText(25), "Z");
    strip->setCurrentIndex('M' - 'A');
    settle();
    EXPECT_EQ(highlighted(*w, 1), "Moby");
    EXPECT_EQ(w->findChild<QLabel*>("LocatorValue")->text(), "M");
    chooseTab(*w, SongBrowse::ByChart);
    QTest::keyClick(&w->list(), Qt::Key_End);
    EXPECT_EQ(highlighted(*w, 1), "Moby");
    strip->setCurrentIndex('T' - 'A');
    settle();
    EXPECT_EQ(highlighted(*w, 1), "Zed");
    EXPECT_EQ(w->engine().choice(), 1);
    EXPECT_TRUE(strip->isEnabled());
    w->close();
    settle();

    StateFixture empty;
    SongBrowse* none = openBrowse(empty);
    ASSERT_NE(none, nullptr);
    EXPECT_FALSE(none->findChild<QTabBar*>("AlphabetStrip")->isEnabled());
    none->close();
    settle();
}

TEST(SongBrowse, SortTabCaptions) {
    struct Case {
        const char* prompt;
        const char* caption;
    };
    for (const Case& c :
         {Case{"", "By UDK"}, Case{"   ", "By UDK"}, Case{"User Defined Key", "By UDK"},
          Case{"Mood", "By Mood"}, Case{"Catalogue Number", "By Catalogue"}}) {
        SCOPED_TRACE(c.prompt);
        StateFixture f;
        f.state->settings().udkPrompt = c.prompt;
        SongBrowse* w = openBrowse(f);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(tabs(*w).tabText(SongBrowse::ByArtist), "By Artist   ");
        EXPECT_EQ(tabs(*w).tabText(SongBrowse::ByUserKey), c.caption);
        chooseTab(*w, SongBrowse::ByUserKey);
        EXPECT_EQ(tabs(*w).tabText(SongBrowse::ByArtist), "By Artist");
        EXPECT_EQ(tabs(*w).tabText(SongBrowse::ByUserKey), QString(c.caption) + "   ");
        w->close();
        settle();
    }
}

TEST(SongBrowse, PopupListsTheExtraButtonsByTheirTexts) {
    StateFixture f;
    SongBrowse* w = openBrowse(f);
    ASSERT_NE(w, nullptr);
    auto popup = [&] {
        f.dialogs->queue("0");
        QContextMenuEvent menu(QContextMenuEvent::Mouse, {5, 5}, {5, 5});
        QCoreApplication::sendEvent(w->list().viewport(), &menu);
        return f.lastMessage();
    };
    EXPECT_EQ(popup(), "&Add|~&Change|~&Delete|-|&Print|-|&Search|-|&Import|&Export");
    button(*w, "SearchButton")->setEnabled(false);
    button(*w, "PrintButton")->setText("&Print  ");
    EXPECT_EQ(popup(), "&Add|~&Change|~&Delete|-|&Print|-|~&Search|-|&Import|&Export");
    w->close();
    settle();
    addSongs(*f.state, {{"Abba"}});
    w = openBrowse(f);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(popup(), "&Add|&Change|&Delete|-|&Print|-|&Search|-|&Import|&Export");
    w->close();
    settle();
}

// Each button runs its procedure by name; Print runs the report of the tab chosen.
TEST(SongBrowse, EachButtonRunsItsProcedureByName) {
    struct Case {
        const char* button;
        int tab;
        const char* procedure;
    };
    const Case cases[] = {
        {"PrintButton", SongBrowse::ByArtist, "PRINTMUS:SONGSBYARTIST"},
        {"PrintButton", SongBrowse::ByChart, "PRINTMUS:SONGSBYCHART"},
        {"PrintButton", SongBrowse::ByUserKey, "PRINTMUS:SONGSBYUDK"},
        {"ImportButton", SongBrowse::ByArtist, "ImportSongs"},
        {"ExportButton", SongBrowse::ByArtist, "ExportSongs"},
        {"FormatButton", SongBrowse::ByArtist, SongBrowse::kFormatColumns},
        {"AddButton", SongBrowse::ByArtist, SongBrowse::kForm},
    };
    StateFixture f;
    std::vector<std::string> ran;
    for (const Case& c : cases) {
        const std::string name = c.procedure;
        // Started beside the browse or run on its behalf: either way it is recorded.
        f.state->starter().define(name, [&ran, name](int) -> QWidget* {
            ran.push_back(name);
            return nullptr;
        });
        f.state->starter().defineRoutine(name, [&ran, name] { ran.push_back(name); });
    }
    SongBrowse* w = openBrowse(f);
    ASSERT_NE(w, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.procedure);
        chooseTab(*w, c.tab);
        ran.clear();
        QPushButton* b = std::string(c.button) == "AddButton"
                             ? w->findChild<QPushButton*>("InsertButton")
                             : button(*w, c.button);
        ASSERT_NE(b, nullptr);
        b->click();
        settle();
        EXPECT_EQ(ran, std::vector<std::string>{c.procedure});
    }
    EXPECT_TRUE(f.dialogs->shown().empty()) << f.lastMessage();
    EXPECT_FALSE(button(*w, "ResetSearchButton")->isEnabled());
    w->close();
    settle();
}

// Copy hands the highlighted song to the song form with the Select request; the copy the form
// writes is highlighted and counted in the title. A row drags out as its song number.
TEST(SongBrowse, CopyCallsTheSongFormAndRowsDragAsSongNumbers) {
    StateFixture f;
    addSongs(*f.state, {{"Abba", "Waterloo"}, {"Cher", "Believe"}});
    std::vector<Request> requests;
    f.state->starter().defineRoutine(SongBrowse::kForm, [&] {
        requests.push_back(f.state->request());
        Catalogue& c = f.state->catalogue();
        EXPECT_EQ(c.song().Artist, "Cher");
        c.song().Title = "Believe (copy)";
        c.song().ID = 0;  // a new number
        ASSERT_EQ(c.file(CatalogueFile::Cadenzio).add(), 0);
        f.state->respond(Response::Completed);
    });
    SongBrowse* w = openBrowse(f);
    ASSERT_NE(w, nullptr);
    QTest::keyClick(&w->list(), Qt::Key_Down);
    const int32_t cher = std::get<int64_t>(w->engine().rowValue(2, 19));
    std::unique_ptr<QMimeData> data(w->rowMimeData(2));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(SongBrowse::kSongMimeType), QByteArray::number(cher));
    button(*w, "CopyButton")->click();
    settle();
    EXPECT_EQ(requests, std::vector<Request>{Request::Select});
    EXPECT_EQ(highlighted(*w, 0), "Believe (copy)");
    EXPECT_EQ(w->windowTitle(), "Songs - 3 entries");
    w->close();
    settle();
}

// A benchmark reads this line to time the program's start; it comes once, for the first page.
TEST(SongBrowse, WritesOneLineToStandardErrorWhenItsFirstPageIsPaintedIfAsked) {
    StateFixture f;
    addSongs(*f.state, {{"Abba"}});
    qputenv(BrowseWindow::kReportFirstPage, "1");
    testing::internal::CaptureStderr();
    SongBrowse* w = openBrowse(f);
    if (w) {
        w->list().viewport()->repaint();
        w->list().viewport()->repaint();
    }
    const std::string written = testing::internal::GetCapturedStderr();
    qunsetenv(BrowseWindow::kReportFirstPage);
    ASSERT_NE(w, nullptr);
    const std::string line = "cdzapp: BrowseSongs: first page painted ";
    const size_t at = written.find(line);
    ASSERT_NE(at, std::string::npos) << written;
    EXPECT_EQ(written.find(line, at + 1), std::string::npos) << written;
    EXPECT_NE(written.find(" ms after the process started, "), std::string::npos) << written;
    w->close();
    settle();
}

}  // namespace
}  // namespace cdz::test
