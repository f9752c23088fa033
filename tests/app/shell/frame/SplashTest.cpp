// The splash window: it closes on a click, keeps its place, and posts the start-up browses to
// the frame in the order Songs, Albums, Play Lists, Labels.
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/shell/frame/MainFrame.h"
#include "app/shell/frame/SplashWindow.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

TEST(StartupBrowses, NonZeroFlagsInTheirFixedOrder) {
    using B = StartupBrowse;
    struct Case {
        int albums, songs, playlists, labels;
        std::vector<B> expected;
    };
    const std::vector<Case> cases = {
        {0, 0, 0, 0, {}},
        {1, 1, 1, 1, {B::Songs, B::Albums, B::PlayLists, B::Labels}},
        {1, 0, 0, 1, {B::Albums, B::Labels}},
        {0, 0, 1, 0, {B::PlayLists}},
        {0, 2, 0, 0, {B::Songs}},  // any non-zero number counts
        {-1, 0, 0, 0, {B::Albums}},
    };
    for (const Case& c : cases) {
        Settings s;
        s.suAlbums = c.albums;
        s.suSongs = c.songs;
        s.suPlaylists = c.playlists;
        s.suLabels = c.labels;
        EXPECT_EQ(startupBrowses(s), c.expected) << c.albums << c.songs << c.playlists << c.labels;
    }
}

class Splash : public ::testing::Test {
protected:
    void openFrame(const std::string& settings, bool withSplash = true) {
        std::ofstream(f.dir.path() / "CDZSETS.INI") << settings;
        f.state->showSplash = withSplash;
        for (const char* name : {"BrowseSongs", "BrowseAlbum", "BrowsePlayLists", "BrowseLabels"}) {
            f.state->starter().define(name, [this, name](int) {
                opened.emplace_back(name);
                return new QLabel(name);
            });
        }
        frame.open();
        settle();
        if (!withSplash) return;
        ASSERT_EQ(f.state->starter().procedureOf(2), "Splash");
        splash = f.state->starter().window(2);
        ASSERT_NE(splash, nullptr);
    }

    StateFixture f;
    MainFrame frame{*f.state};
    QPointer<QWidget> splash;
    std::vector<std::string> opened;
};

TEST_F(Splash, ShowsTheTitleAndVersion) {
    openFrame("");
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->isWindow());
    EXPECT_EQ(splash->findChild<QLabel*>("splashTitle")->text(), "Orvanta 98");
    EXPECT_EQ(splash->findChild<QLabel*>("splashVersion")->text(), "Version 2.0a");
    for (const char* picture : {"splashSpeaker", "splashHeadphones"})
        EXPECT_FALSE(splash->findChild<QLabel*>(picture)->pixmap().isNull()) << picture;
}

TEST_F(Splash, AClickClosesItAndTheStartUpBrowsesFollowInOrder) {
    openFrame("[Settings]\nSU_Labels=1\nSU_Albums=1\nSU_Songs=1\nSU_Playlists=0\n");
    EXPECT_TRUE(opened.empty());  // nothing before the splash has gone
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(splash, &click);
    settle();
    EXPECT_TRUE(splash.isNull());  // the click closed it
    EXPECT_EQ(opened, (std::vector<std::string>{"BrowseSongs", "BrowseAlbum", "BrowseLabels"}));
}

TEST_F(Splash, WithoutTheSplashTheStartUpBrowsesOpenAtOnceInOrder) {
    openFrame("[Settings]\nSU_Labels=1\nSU_Songs=1\n", false);
    EXPECT_EQ(opened, (std::vector<std::string>{"BrowseSongs", "BrowseLabels"}));
    for (int id : f.state->starter().instances())
        EXPECT_NE(f.state->starter().procedureOf(id), "Splash");
}

TEST_F(Splash, WithoutStartUpFlagsNothingIsOpened) {
    openFrame("[Settings]\nSU_Albums=0\n");
    splash->close();
    settle();
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(f.state->starter().instances().empty());
}

TEST_F(Splash, ClosingKeepsItsPlaceUnderSplash) {
    openFrame("");
    splash->move(123, 87);
    splash->close();
    settle();
    IniFile& ini = f.state->settingsFile();
    EXPECT_EQ(ini.read("Splash", "XPosit"), "123");
    EXPECT_EQ(ini.read("Splash", "YPosit"), "87");
    EXPECT_EQ(ini.read("Splash", "Maximize"), "No");
}

TEST_F(Splash, TheBrowsesAreNotOpenedWhenTheFrameClosesFirst) {
    openFrame("[Settings]\nSU_Songs=1\n");
    frame.close();  // takes the splash down with it
    settle();
    EXPECT_TRUE(opened.empty());
}

}  // namespace
}  // namespace cdz::test
