// The navigation and child query exports as a host meets them: the window the user can
// cancel, and filters that cannot be used, which find nothing and say so.
#include <QApplication>
#include <QDialog>
#include <QPushButton>

#include <gtest/gtest.h>

#include "querykit/navigation/NavigationWindow.h"
#include "querykit/querykit.h"
#include "runtime/ui/ScriptedDialogs.h"
#include "tests/querykit/NavigationFiles.h"

namespace qk {
namespace {

class NavigationExportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        XR_SETQWDIALOGS(&dialogs);
        XR_SETQWBINDINGS(&tracks.bindings);
    }
    void TearDown() override {
        XR_SETQWBINDINGS(nullptr);
        XR_SETQWDIALOGS(nullptr);
    }

    std::vector<std::string> titlesShown() const {
        std::vector<std::string> out;
        for (const auto& d : dialogs.shown()) out.push_back(d.title);
        return out;
    }

    cdz::ScriptedDialogs dialogs;
    test::TrackFile tracks{{"A", 1980}, {"B", 1990}, {"C", 1980}};
};

QDialog* navigationWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == NavigationWindow::kObjectName && w->isVisible()) {
            return qobject_cast<QDialog*>(w);
        }
    }
    return nullptr;
}

TEST_F(NavigationExportsTest, CancelNavigationEndsWithNothingFoundOnTheStart) {
    tracks.db.beginStream();
    for (int i = 0; i < 200; ++i) {
        tracks.rec = test::TrackRec{};
        tracks.rec.Title = "Z" + std::to_string(1000 + i);
        ASSERT_EQ(tracks.file.add(), 0);
    }
    tracks.db.endStream();
    // The filter watches the window while the search runs, and presses Cancel Navigation at
    // the fiftieth record, within the third batch of twenty.
    int tested = 0;
    std::vector<std::string> titles;
    tracks.bindings.bindGetter("LOC:Watch", [&] {
        ++tested;
        QDialog* window = navigationWindow();
        titles.push_back(window ? window->windowTitle().toStdString() : "");
        if (window && tested == 50) {
            window->findChild<QPushButton*>(NavigationWindow::kCancelName)->click();
        }
        return cdz::ExprValue::ofNumber(0);
    });
    const std::string start = tracks.positionOf("B");
    EXPECT_EQ(XR_QWNAVIGATE(tracks.view, start, "LOC:Watch", 3), 0);
    EXPECT_EQ(tested, 60);
    ASSERT_EQ(titles.size(), 60u);
    EXPECT_EQ(titles[39], "Query Navigation in Progress...");
    EXPECT_EQ(titles[40], "Locating Next Query Result...");
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(tracks.rec.Title.str(), "B");
}

TEST_F(NavigationExportsTest, FiltersThatCannotBeUsedFindNothingAndSaySoOnce) {
    const std::string start = tracks.positionOf("B");
    test::TrackFile child{{"X", 1990}};
    EXPECT_EQ(XR_QWNAVIGATE(tracks.view, start, "TRK:Year = = 1980", 3), 0);
    EXPECT_EQ(XR_CHILDQUERY(child.view, 5, "TRK:Year = 1990", ""), 0);
    EXPECT_EQ(XR_QWNAVIGATE(tracks.view, start, "TRK:Year = = 1", 1, &child.view, 0, ""), 0);
    EXPECT_EQ(titlesShown(), (std::vector<std::string>{"Query Navigation Result", "View Open Error",
                                                       "View Open Error"}));
    EXPECT_EQ(tracks.rec.Title.str(), "B");
}

}  // namespace
}  // namespace qk
