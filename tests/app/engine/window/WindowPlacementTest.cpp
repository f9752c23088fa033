// Keeping a window's place in the settings file: the round trip for normal, maximised and
// minimised windows, and the entries that leave a window where it opened.
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>

#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "app/engine/window/WindowPlacement.h"
#include "runtime/ini/IniFile.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

class Placement : public ::testing::Test {
protected:
    void writeSection(const std::string& body) {
        std::ofstream(dir.path() / "CDZSETS.INI") << "[BrowseAlbum]\n" << body;
    }
    std::string entry(const char* key) { return ini.read("BrowseAlbum", key, "<missing>"); }

    TempDir dir;
    IniFile ini{dir.path() / "CDZSETS.INI"};
};

TEST_F(Placement, ANormalWindowComesBackWhereItWas) {
    QWidget first;
    first.setGeometry(120, 90, 330, 210);
    first.show();
    ASSERT_TRUE(WindowPlacement::save(first, ini, "BrowseAlbum"));
    EXPECT_EQ(entry("Maximize"), "No");
    EXPECT_EQ(entry("XPosit"), "120");
    EXPECT_EQ(entry("YPosit"), "90");
    EXPECT_EQ(entry("Width"), "330");
    EXPECT_EQ(entry("Height"), "210");

    QWidget second;
    second.setGeometry(5, 5, 100, 100);
    second.show();
    WindowPlacement::restore(second, ini, "BrowseAlbum");
    EXPECT_EQ(second.geometry(), QRect(120, 90, 330, 210));
    EXPECT_FALSE(second.isMaximized());
}

TEST_F(Placement, AMaximisedWindowKeepsItsNormalPlaceAndReopensMaximised) {
    QWidget first;
    first.setGeometry(140, 100, 300, 200);
    first.show();
    first.showMaximized();
    ASSERT_TRUE(first.isMaximized());
    WindowPlacement::save(first, ini, "BrowseAlbum");
    EXPECT_EQ(entry("Maximize"), "Yes");
    EXPECT_EQ(entry("XPosit"), "140");
    EXPECT_EQ(entry("Width"), "300");

    QWidget second;
    second.setGeometry(5, 5, 100, 100);
    second.show();
    WindowPlacement::restore(second, ini, "BrowseAlbum");
    EXPECT_TRUE(second.isMaximized());
    second.showNormal();
    EXPECT_EQ(second.geometry(), QRect(140, 100, 300, 200));
}

TEST_F(Placement, AWindowClosedMinimisedKeepsItsPreviousPlace) {
    writeSection("Maximize=No\nXPosit=50\nYPosit=60\nWidth=250\nHeight=150\n");
    QWidget w;
    w.setGeometry(300, 200, 200, 100);
    w.show();
    w.showMinimized();
    EXPECT_TRUE(WindowPlacement::save(w, ini, "BrowseAlbum"));
    EXPECT_EQ(entry("XPosit"), "50");
    EXPECT_EQ(entry("Width"), "250");
    EXPECT_EQ(entry("Maximize"), "No");
}

// Entries that leave the window where its own description put it, in part or wholly.
TEST_F(Placement, UnusableEntriesLeaveTheWindowAlone) {
    struct Case {
        const char* section;
        QRect expected;
        bool maximised;
    };
    const QRect start(30, 40, 200, 120);
    const Case cases[] = {
        // XPosit 0 (or missing): nothing at all happens, not even maximising.
        {"Maximize=Yes\nXPosit=0\nYPosit=70\nWidth=300\nHeight=200\n", start, false},
        {"Maximize=Yes\nYPosit=70\nWidth=300\nHeight=200\n", start, false},
        // YPosit 0: the place is not taken, but the saved maximised state is.
        {"Maximize=Yes\nXPosit=80\nYPosit=0\nWidth=300\nHeight=200\n", start, true},
        // A size of 0 moves the window but keeps its size.
        {"Maximize=No\nXPosit=80\nYPosit=70\nWidth=0\nHeight=200\n", QRect(80, 70, 200, 120),
         false},
        // Garbage reads as 0.
        {"Maximize=No\nXPosit=abc\nYPosit=70\nWidth=300\nHeight=200\n", start, false},
        // Wholly off every screen: the window stays where the user can reach it.
        {"Maximize=No\nXPosit=5000\nYPosit=4000\nWidth=300\nHeight=200\n", start, false},
        {"Maximize=No\nXPosit=-900\nYPosit=70\nWidth=300\nHeight=200\n", start, false},
    };
    for (const Case& c : cases) {
        writeSection(c.section);
        QWidget w;
        w.setGeometry(start);
        w.show();
        WindowPlacement::restore(w, ini, "BrowseAlbum");
        EXPECT_EQ(w.isMaximized(), c.maximised) << c.section;
        if (!c.maximised) {
            EXPECT_EQ(w.geometry(), c.expected) << c.section;
        }
    }
}

// Under a larger scaling a saved size, or the size a window opens at, can exceed the screen:
// the window is made to fit it, saved place or none.
TEST_F(Placement, AWindowLargerThanItsScreenIsMadeToFit) {
    for (const char* section :
         {"Maximize=No\nXPosit=100\nYPosit=80\nWidth=3000\nHeight=2000\n", "Maximize=No\n"}) {
        writeSection(section);
        QWidget w;
        w.setGeometry(30, 40, 2500, 1800);
        w.show();
        WindowPlacement::restore(w, ini, "BrowseAlbum");
        const QRect area = w.screen()->availableGeometry();
        EXPECT_TRUE(area.contains(w.geometry())) << section;
        EXPECT_EQ(w.size(), area.size()) << section;
    }
}

TEST_F(Placement, AFixedSizeWindowIsMovedButNotSized) {
    writeSection("Maximize=No\nXPosit=90\nYPosit=80\nWidth=500\nHeight=400\n");
    QWidget w;
    w.setFixedSize(220, 130);
    w.move(10, 10);
    w.show();
    WindowPlacement::restore(w, ini, "BrowseAlbum");
    EXPECT_EQ(w.geometry(), QRect(90, 80, 220, 130));
}

TEST_F(Placement, ADocumentWindowIsPlacedByItsFrameInTheArea) {
    QMdiArea area;
    area.resize(700, 500);
    area.show();
    auto* content = new QLabel("songs");
    QMdiSubWindow* sub = area.addSubWindow(content);
    sub->setGeometry(25, 35, 320, 240);
    sub->show();
    sub->showMaximized();
    WindowPlacement::save(*content, ini, "BrowseAlbum");
    EXPECT_EQ(entry("Maximize"), "Yes");
    EXPECT_EQ(entry("XPosit"), "25");
    EXPECT_EQ(entry("YPosit"), "35");
    EXPECT_EQ(entry("Width"), "320");
    EXPECT_EQ(entry("Height"), "240");

    auto* again = new QLabel("songs");
    QMdiSubWindow* sub2 = area.addSubWindow(again);
    sub2->setGeometry(5, 5, 100, 100);
    sub2->show();
    WindowPlacement::restore(*again, ini, "BrowseAlbum");
    EXPECT_TRUE(sub2->isMaximized());
    sub2->showNormal();
    EXPECT_EQ(sub2->geometry(), QRect(25, 35, 320, 240));
}

}  // namespace
}  // namespace cdz::test
