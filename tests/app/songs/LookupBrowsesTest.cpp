// The category and media browses as the user meets them: started from the frame or run to
// pick a record, with their buttons, popup menus and step locators.
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <QTimer>
#include "app/domain/data/Catalogue.h"
#include "app/engine/browse/BrowseWindow.h"
#include "app/songs/LookupBrowses.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

void addMedia(AppState& state, std::initializer_list<const char*> names) {
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Media), 0);
    for (const char* n : names) {
        c.media().Media = n;
        ASSERT_EQ(c.file(CatalogueFile::Media).add(), 0);
    }
    c.release(CatalogueFile::Media);
}

std::string highlightedMedia(BrowseWindow& w) {
    return w.engine().choice() ? std::get<std::string>(w.engine().rowValue(w.engine().choice(), 0))
                               : "";
}

TEST(LookupBrowses, OutsideSelectModeSelectIsHiddenAndDisabledInThePopup) {
    StateFixture f;
    addMedia(*f.state, {"Cassette", "CD", "LP"});
    BrowseWindow* w = LookupBrowses::media(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    settle();
    EXPECT_EQ(w->windowTitle(), "Browse Media Formats");
    EXPECT_FALSE(w->findChild<QPushButton*>("SelectButton")->isVisible());
    EXPECT_EQ(w->findChild<QPushButton*>("InsertButton")->text(), "&Add");
    f.dialogs->queue("0");
    QContextMenuEvent menu(QContextMenuEvent::Mouse, {5, 5}, {5, 5});
    QCoreApplication::sendEvent(w->list().viewport(), &menu);
    ASSERT_FALSE(f.dialogs->shown().empty());
    EXPECT_EQ(f.dialogs->shown().back().text, "&Add|&Change|&Delete|-|~&Select");
    w->close();
    settle();
}

TEST(LookupBrowses, TypingALetterTwiceStepsToTheSecondNameWithIt) {
    StateFixture f;
    addMedia(*f.state, {"Cassette", "Compact Disc", "DVD", "LP"});
    BrowseWindow* w = LookupBrowses::media(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    settle();
    QTest::keyClick(&w->list(), Qt::Key_L);
    EXPECT_EQ(highlightedMedia(*w), "LP");
    QTest::keyClick(&w->list(), Qt::Key_C);
    EXPECT_EQ(highlightedMedia(*w), "Cassette");
    QTest::keyClick(&w->list(), Qt::Key_C);
    EXPECT_EQ(highlightedMedia(*w), "Compact Disc");
    // Past the last name with the letter, the search starts again at its first.
    QTest::keyClick(&w->list(), Qt::Key_C);
    EXPECT_EQ(highlightedMedia(*w), "Cassette");
    w->close();
    settle();
}

// Insert runs the file's form procedure by name with the insert request, on a cleared buffer.
TEST(LookupBrowses, InsertRunsTheFormProcedureWithTheRequest) {
    StateFixture f;
    std::vector<Request> requests;
    f.state->starter().defineRoutine("UpdateCategories", [&] {
        requests.push_back(f.state->request());
        EXPECT_EQ(f.state->catalogue().category().Category, "");
        f.state->respond(Response::Cancelled);
    });
    f.state->catalogue().category().Category = "left over";
    BrowseWindow* w = LookupBrowses::categories(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    settle();
    QTest::keyClick(&w->list(), Qt::Key_Insert);
    EXPECT_EQ(requests, std::vector<Request>{Request::Insert});
    EXPECT_TRUE(f.dialogs->shown().empty());
    EXPECT_TRUE(w->engine().page().empty());
    w->close();
    settle();
}

// Run as a picker, the browse opens modally with Select as its default button; Select leaves
// the chosen name in the buffer and answers Completed.
TEST(LookupBrowses, PickerLeavesTheChosenRecordInTheBuffer) {
    StateFixture f;
    addMedia(*f.state, {"Cassette", "DAT", "LP"});
    f.state->catalogue().media().Media = "DAT";
    BrowseWindow* w = nullptr;
    f.state->call(Request::Select, [&] { w = LookupBrowses::media(*f.state, nullptr); });
    ASSERT_NE(w, nullptr);
    QTimer::singleShot(0, [w] {
        auto* select = w->findChild<QPushButton*>("SelectButton");
        EXPECT_TRUE(select->isVisible());
        EXPECT_TRUE(select->isDefault());
        QTest::keyClick(&w->list(), Qt::Key_Down);
        select->click();
    });
    EXPECT_EQ(BrowseWindow::runModal(w, nullptr), Response::Completed);
    EXPECT_EQ(f.state->catalogue().media().Media, "LP");
}

}  // namespace
}  // namespace cdz::test
