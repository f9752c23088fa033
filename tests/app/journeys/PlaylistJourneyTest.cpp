// A playlist generated from the playlist browse's popup, as the program registers the generator;
// the playlist files checked after every round.
#include <QContextMenuEvent>
#include <QPushButton>
#include <QSpinBox>

#include "app/core/data/Catalogue.h"
#include "app/playlists/PlaylistBrowse.h"
#include "app/songs/engine/BrowseList.h"
#include "tests/app/journeys/Journey.h"

namespace cdz::test {
namespace {

class PlaylistJourney : public Journey {
protected:
    void rightClick(PlaylistBrowse& browse) {
        QWidget* viewport = browse.list().viewport();
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(10, 10),
                               viewport->mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(viewport, &menu);
        settle();
    }
};

TEST_F(PlaylistJourney, GenerateFromThePopupAddsAPlaylist) {
    addSongs(12);
    choose("actBrowsePlayLists");
    auto* browse = window<PlaylistBrowse>(PlaylistBrowse::kProcedure);
    ASSERT_NE(browse, nullptr);
    for (int round = 1; round <= 3; ++round) {
        const size_t mark = markDialogs();
        dialogs().queue("6");  // the popup's "Generate Play List"
        bool generatorSeen = false;
        whenModal([&](QWidget& generator) {
            generatorSeen = generator.windowTitle() == "Generate Play List";
            auto* size = generator.findChild<QSpinBox*>("size");
            ASSERT_NE(size, nullptr);
            type(size, "4");
            for (QPushButton* b : generator.findChildren<QPushButton*>()) {
                if (b->text() == "&Ok") click(b);
            }
        });
        rightClick(*browse);
        EXPECT_TRUE(generatorSeen) << "round " << round;
        EXPECT_TRUE(modalsDone());
        EXPECT_EQ(records(CatalogueFile::PlaylistMaster), round);
        EXPECT_EQ(records(CatalogueFile::PlaylistDetails), 4 * round);
        const auto told = dialogsSince(mark);
        ASSERT_EQ(told.size(), 1u) << told.back();
        EXPECT_NE(told.front().find("|-|Generate Play List"), std::string::npos) << told.front();
        EXPECT_EQ(browse->engine().page().count(), round);
    }
}

}  // namespace
}  // namespace cdz::test
