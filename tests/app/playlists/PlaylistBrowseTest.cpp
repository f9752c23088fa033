// The playlist browse: its popup in order, and each button or popup item running its procedure
// by name with the highlighted playlist left in the playlist buffer.
#include <QContextMenuEvent>
#include <QPushButton>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/playlists/PlaylistBrowse.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

std::string popup(StateFixture& f, PlaylistBrowse& w, const char* choice = "0") {
    f.dialogs->queue(choice);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, {5, 5}, {5, 5});
    QCoreApplication::sendEvent(w.list().viewport(), &menu);
    settle();
    return f.dialogs->shown().back().text;
}

TEST(PlaylistBrowse, ButtonsAndPopupRunTheirProceduresOverTheHighlightedPlaylist) {
    StateFixture f;
    Catalogue& c = f.state->catalogue();
    {
        FileUse files(c, {CatalogueFile::PlaylistMaster});
        c.playlist().PlaylistID = 4;
        c.playlist().PlaylistDescription = "Sunday Drive";
        ASSERT_EQ(c.file(CatalogueFile::PlaylistMaster).add(), 0);
    }
    std::vector<std::string> ran;
    for (const char* name : {proc::kPlaylistPrint, proc::kPlaylistTop40, proc::kGeneratePlaylist}) {
        auto record = [&ran, &c, name = std::string(name)] {
            ran.push_back(name + " " + std::to_string(c.playlist().PlaylistID));
        };
        f.state->starter().define(name, [record](int) -> QWidget* {
            record();
            return nullptr;
        });
        f.state->starter().defineRoutine(name, record);
    }
    PlaylistBrowse* w = PlaylistBrowse::open(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    settle();
    EXPECT_EQ(w->windowTitle(), "Playlists");
    EXPECT_EQ(popup(f, *w), "&Add|&Change|&Delete|-|&Print|&Top 40|-|Generate Play List");
    w->findChild<QPushButton*>("PrintButton")->click();
    w->findChild<QPushButton*>("Top40Button")->click();
    popup(f, *w, "6");
    settle();
    EXPECT_EQ(ran, (std::vector<std::string>{"PRINTPLAYLIST 4", "PRINTPLAYLISTTOP40 4",
                                             "GeneratePlaylist 4"}));
    EXPECT_EQ(w->findChild<QPushButton*>("Top40Button")->toolTip(),
              "Print playlist in a top-?? chart format");
    w->close();
    settle();
}

}  // namespace
}  // namespace cdz::test
