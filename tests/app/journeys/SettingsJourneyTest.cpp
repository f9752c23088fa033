// What a person sets stays set: Preferences changed through their window and a column of the
// song browse widened by its header are found again after the program starts anew.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTabBar>

#include "app/engine/browse/BrowseList.h"
#include "app/songs/SongBrowse.h"
#include "tests/app/journeys/Journey.h"

namespace cdz::test {
namespace {

class SettingsJourney : public Journey {
protected:
    SongBrowse* songs() {
        if (!window<SongBrowse>(SongBrowse::kProcedure)) choose("actBrowseSongs");
        return window<SongBrowse>(SongBrowse::kProcedure);
    }

    // Preferences through their window: the key's caption, the date format, Songs at start.
    void setPreferences(const QString& caption, int dateFormat) {
        bool seen = false;
        whenModal([&](QWidget& w) {
            seen = true;
            type(w.findChild<QWidget*>("UdkPrompt"), caption);
            w.findChild<QComboBox*>("DateFormat")->setCurrentIndex(dateFormat);
            auto* start = w.findChild<QCheckBox*>("StartSongs");
            if (!start->isChecked()) start->click();
            click(w.findChild<QPushButton*>("OkButton"));
        });
        choose("actPreferences");
        EXPECT_TRUE(seen);
    }

    // What the Preferences window shows, then cancelled.
    std::pair<QString, int> shownPreferences() {
        std::pair<QString, int> shown;
        whenModal([&](QWidget& w) {
            shown = {w.findChild<QLineEdit*>("UdkPrompt")->text(),
                     w.findChild<QComboBox*>("DateFormat")->currentIndex()};
            click(w.findChild<QPushButton*>("CancelButton"));
        });
        choose("actPreferences");
        return shown;
    }
};

TEST_F(SettingsJourney, PreferencesAndAColumnWidthOutliveARestart) {
    addSongs(20);
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const size_t mark = markDialogs();
        const QString caption = "Shelf " + QString::number(round);
        const int format = round + 1;  // a full date each time, never Year Only
        setPreferences(caption, format);
        SongBrowse* browse = songs();
        ASSERT_NE(browse, nullptr);
        QHeaderView* header = browse->list().horizontalHeader();
        const int own = browse->list().ownWidth(0) + 30 * round;
        header->resizeSection(0, header->sectionSize(0) + 30 * round);
        settle();
        EXPECT_EQ(browse->list().ownWidth(0), own);
        EXPECT_EQ(dialogsSince(mark),
                  std::vector<std::string>{
                      "Information: Date format changes will not affect currently open windows. "
                      " You can close and re-open windows, or exit and restart Cadenzio Pro to "
                      "view information using the new date format."});

        ASSERT_NO_FATAL_FAILURE(restart());
        // Songs open at start, the key's tab under the caption, the column as wide as it was.
        browse = window<SongBrowse>(SongBrowse::kProcedure);
        ASSERT_NE(browse, nullptr) << "the songs did not open at start";
        auto* tabs = browse->findChild<QTabBar*>("SortTabs");
        EXPECT_EQ(tabs->tabText(SongBrowse::ByUserKey).trimmed(), "By " + caption);
        EXPECT_EQ(browse->list().ownWidth(0), own);
        EXPECT_EQ(shownPreferences(), std::make_pair(caption, format));
        expectFilesCheckOut();
    }
}

}  // namespace
}  // namespace cdz::test
