// The song browse's column layout in the whole program: the "Format Listbox..." window driven
// by its widgets, the layout kept across two runs on the same folder, the songs ordered by a
// clicked header, and Alt+F12 back to the design layout. Dialogs are answered and logged as a
// scripted run does.
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>

#include "app/domain/data/Catalogue.h"
#include "app/engine/EngineProcedures.h"
#include "app/engine/columns/ColumnLayoutWindow.h"
#include "app/engine/state/AppState.h"
#include "app/filemgr/FileManagerProcedures.h"
#include "app/shell/frame/MainFrame.h"
#include "app/songs/SongBrowse.h"
#include "app/songs/SongsProcedures.h"
#include "runtime/data/DataFile.h"
#include "runtime/text/DateTime.h"
#include "runtime/ui/DialogsFromEnvironment.h"
#include "tests/support/EventLoop.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

// One run of the program over `dir`, its dialogs answered from `answers` and logged.
std::unique_ptr<AppState> programState(const TempDir& dir,
                                       const std::vector<std::string>& answers) {
    const std::filesystem::path answerFile = dir.path() / "dialogs.answers";
    std::ofstream out(answerFile);
    for (const auto& a : answers) out << a << "\n";
    out.close();
    setenv("CDZ_DIALOG_ANSWERS", answerFile.c_str(), 1);
    setenv("CDZ_DIALOG_LOG", (dir.path() / "dialogs.log").c_str(), 1);
    std::string error;
    std::unique_ptr<Dialogs> dialogs = dialogsFromEnvironment(error);
    unsetenv("CDZ_DIALOG_ANSWERS");
    unsetenv("CDZ_DIALOG_LOG");
    EXPECT_TRUE(dialogs) << error;
    auto state =
        std::make_unique<AppState>(dir.path(), std::move(dialogs), [](std::string_view) {});
    state->addSubsystem(&defineEngineProcedures);
    state->addSubsystem(&defineFileManagerProcedures);
    state->addSubsystem(&defineSongsProcedures);
    state->showSplash = false;
    return state;
}

void addSong(AppState& state, const char* artist, const char* title, int year) {
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Cadenzio), 0);
    c.file(CatalogueFile::Cadenzio).clearBuffer();
    c.song().Artist = artist;
    c.song().Title = title;
    c.song().ReleaseDate = dateFromYmd(year, 6, 1);
    ASSERT_EQ(c.file(CatalogueFile::Cadenzio).add(), 0);
    c.release(CatalogueFile::Cadenzio);
}

SongBrowse* songBrowse(AppState& state, MainFrame& frame) {
    auto find = [&]() -> SongBrowse* {
        for (int id : state.starter().instances()) {
            if (state.starter().procedureOf(id) != SongBrowse::kProcedure) continue;
            QWidget* window = state.starter().window(id);
            if (auto* browse = qobject_cast<SongBrowse*>(window)) return browse;
            if (window) return window->findChild<SongBrowse*>();
        }
        return nullptr;
    };
    if (!find()) {
        frame.findChild<QAction*>("actBrowseSongs")->trigger();
        settle();
    }
    return find();
}

QStringList headers(SongBrowse& w) {
    QStringList out;
    const QAbstractItemModel& model = *w.list().model();
    for (int c = 0; c < model.columnCount(); ++c)
        out << model.headerData(c, Qt::Horizontal).toString();
    return out;
}

std::vector<std::string> titles(SongBrowse& w) {
    std::vector<std::string> out;
    for (int r = 1; r <= w.engine().page().count(); ++r) {
        out.push_back(std::get<std::string>(w.engine().rowValue(r, 0)));
    }
    return out;
}

void clickHeader(SongBrowse& w, int section) {
    QHeaderView* h = w.list().horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(section) + 4, h->height() / 2));
    settle();
}

void whenLayoutWindowOpens(std::function<void(ColumnLayoutWindow&)> step) {
    QTimer::singleShot(0, [step] {
        ColumnLayoutWindow* window = nullptr;
        ASSERT_TRUE(waitFor([&] {
            window = qobject_cast<ColumnLayoutWindow*>(QApplication::activeModalWidget());
            return window != nullptr;
        }));
        step(*window);
        window->findChild<QPushButton*>("CloseButton")->click();
    });
}

const QStringList kDesignHeaders = {"Title",    "Artist", "Album",    "Media", "File Number",
                                    "Category", "Time",   "Released", "Rating"};

TEST(ColumnLayoutWindow, TheUsersLayoutHoldsAcrossRunsAndAHeaderOrdersTheSongs) {
    TempDir dir;
    {
        auto state = programState(dir, {"Serif Test,14,0,700"});
        addSong(*state, "Abba", "Seventies", 1975);
        addSong(*state, "Blur", "Nineties", 1995);
        addSong(*state, "Cure", "Eighties", 1985);
        MainFrame frame(*state);
        frame.open();
        settle();
        SongBrowse* browse = songBrowse(*state, frame);
        ASSERT_NE(browse, nullptr);
        EXPECT_EQ(headers(*browse), kDesignHeaders);
        whenLayoutWindowOpens([browse](ColumnLayoutWindow& w) {
            EXPECT_EQ(w.windowTitle(), "Format Listbox...");
            auto* shown = w.findChild<QTreeWidget*>("ShownColumns");
            ASSERT_EQ(shown->topLevelItemCount(), 9);
            // A right click on "Rating" hides it; the browse shows that at once.
            QTreeWidgetItem* rating = shown->topLevelItem(8);
            QTest::mouseClick(shown->viewport(), Qt::RightButton, {},
                              shown->visualItemRect(rating).center());
            EXPECT_EQ(shown->topLevelItemCount(), 8);
            EXPECT_EQ(browse->list().model()->columnCount(), 8);
            shown->setCurrentItem(shown->topLevelItem(0));
            auto* header = w.findChild<QLineEdit*>("HeaderText");
            header->selectAll();
            QTest::keyClicks(header, "Song");
            EXPECT_EQ(headers(*browse).front(), "Song");
            w.findChild<QPushButton*>("FontButton")->click();
            EXPECT_EQ(browse->list().font().pointSize(), 14);
        });
        browse->findChild<QPushButton*>("FormatButton")->click();
        settle();
        frame.close();
        settle();
    }
    IniFile settings(dir.path() / "CDZSETS.INI");
    EXPECT_EQ(settings.read("BrowseSongs", "ColvueVersion-?Browse"), "1");
    EXPECT_EQ(settings.read("BrowseSongs", "ColvueFont-?Browse"), "Serif Test");
    {
        // Key Sequence from the popup a right click offers under a column order.
        auto state = programState(dir, {"2"});
        MainFrame frame(*state);
        frame.open();
        settle();
        SongBrowse* browse = songBrowse(*state, frame);
        ASSERT_NE(browse, nullptr);
        const QStringList kept = {"Song",        "Artist",   "Album", "Media",
                                  "File Number", "Category", "Time",  "Released"};
        EXPECT_EQ(headers(*browse), kept);
        EXPECT_EQ(browse->list().font().pointSize(), 14);
        // The header under the mouse is marked until the order changes.
        QHeaderView* h = browse->list().horizontalHeader();
        const QPointF over(h->sectionViewportPosition(7) + 4, h->height() / 2);
        QMouseEvent hover(QEvent::MouseMove, over, h->viewport()->mapToGlobal(over), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h->viewport(), &hover);
        auto marked = [&] {
            return browse->list().model()->headerData(7, Qt::Horizontal, Qt::FontRole).isValid();
        };
        EXPECT_TRUE(marked());
        clickHeader(*browse, 7);
        EXPECT_FALSE(marked());
        EXPECT_EQ(titles(*browse), (std::vector<std::string>{"Seventies", "Eighties", "Nineties"}));
        EXPECT_EQ(browse->windowTitle(), "Browse File by Released (ascending)");
        clickHeader(*browse, 7);
        EXPECT_EQ(titles(*browse), (std::vector<std::string>{"Nineties", "Eighties", "Seventies"}));
        EXPECT_EQ(browse->windowTitle(), "Browse File by Released (descending)");
        clickHeader(*browse, 7);
        EXPECT_EQ(browse->windowTitle(), "Browse File by Released (ascending)");
        // Typed text locates on the ordered date column, read through its picture.
        const QString shown = browse->list().model()->index(1, 7).data().toString();
        ASSERT_FALSE(shown.isEmpty());
        QTest::keyClicks(&browse->list(), shown.left(12));
        settle();
        const BrowseEngine& e = browse->engine();
        ASSERT_GT(e.choice(), 0);
        EXPECT_EQ(std::get<std::string>(e.rowValue(e.choice(), 0)), "Eighties")
            << shown.toStdString();
        QContextMenuEvent menu(QContextMenuEvent::Mouse, {5, 5}, {5, 5});
        QCoreApplication::sendEvent(browse->list().viewport(), &menu);
        settle();
        EXPECT_EQ(browse->windowTitle(), "Browse File by key sequence");
        EXPECT_EQ(titles(*browse), (std::vector<std::string>{"Seventies", "Nineties", "Eighties"}));
        const int designPoints = browse->font().pointSize();
        QTest::keyClick(&browse->list(), Qt::Key_F12, Qt::AltModifier);
        settle();
        EXPECT_EQ(headers(*browse), kDesignHeaders);
        EXPECT_EQ(browse->list().font().pointSize(), designPoints);
        frame.close();
        settle();
    }
    std::ifstream in(dir.path() / "dialogs.log");
    std::string line, all;
    while (std::getline(in, line)) all += line + "\n";
    EXPECT_NE(all.find("\"text\":\"Escape|Key Sequence\""), std::string::npos) << all;
    EXPECT_EQ(all.find("\"kind\":\"message\""), std::string::npos) << all;
}

// The header editor acts on the column chosen last, in either list: never on the shown list's
// highlight once a column of all was chosen, and not at all for a hidden column.
TEST(ColumnLayoutWindow, TheSettingsFollowTheColumnChosenInEitherList) {
    TempDir dir;
    auto state = programState(dir, {});
    MainFrame frame(*state);
    frame.open();
    settle();
    SongBrowse* browse = songBrowse(*state, frame);
    ASSERT_NE(browse, nullptr);
    whenLayoutWindowOpens([browse](ColumnLayoutWindow& w) {
        auto* shown = w.findChild<QTreeWidget*>("ShownColumns");
        auto* all = w.findChild<QTreeWidget*>("AllColumns");
        auto* header = w.findChild<QLineEdit*>("HeaderText");
        shown->setCurrentItem(shown->findItems("Time", Qt::MatchExactly).front());
        all->setCurrentItem(all->findItems("Album", Qt::MatchExactly).front());
        EXPECT_EQ(header->text(), "Album");
        header->selectAll();
        QTest::keyClicks(header, "Disc");
        QStringList expected = kDesignHeaders;
        expected[2] = "Disc";
        EXPECT_EQ(headers(*browse), expected);
        EXPECT_EQ(shown->topLevelItem(2)->text(0), "Disc");
        all->setCurrentItem(all->findItems("Composer", Qt::MatchExactly).front());
        EXPECT_FALSE(header->isEnabled());
        // The user comes back to the shown list, whose highlight is still "Time".
        QFocusEvent back(QEvent::FocusIn, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(shown, &back);
        EXPECT_TRUE(header->isEnabled());
        EXPECT_EQ(header->text(), "Time");
    });
    browse->findChild<QPushButton*>("FormatButton")->click();
    settle();
    frame.close();
    settle();
}

}  // namespace
}  // namespace cdz::test
