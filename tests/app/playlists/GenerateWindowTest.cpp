// The "Generate Play List" window: its fields reach the generator, its messages, and a
// picture of it for the eye.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>

#include "app/playlists/GenerateWindow.h"
#include "app/playlists/PlaylistGenerator.h"
#include "runtime/text/DateTime.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

TEST(GenerateWindow, ReadsItsFieldsAndTellsWhatWentWrong) {
    StateFixture f;
    f.state->settings().dateFormat = "d2";  // mm/dd/yyyy
    Catalogue& c = f.state->catalogue();
    {
        FileUse use(c, {CatalogueFile::Categories});
        int id = 0;
        for (const char* name : {"Swing", "Blues", "Ambient"}) {
            c.category().CategoryID = Decimal<6, 0>::fromRaw(++id);
            c.category().Category = name;
            ASSERT_EQ(c.file(CatalogueFile::Categories).add(), 0);
        }
    }
    GenerateWindow window(*f.state, 7);
    auto* category = window.findChild<QComboBox*>("category");
    ASSERT_NE(category, nullptr);
    ASSERT_EQ(category->count(), 4);  // blank first, then by name
    EXPECT_EQ(category->itemText(1), "Ambient");
    EXPECT_EQ(category->itemText(3), "Swing");

    window.findChild<QSpinBox*>("size")->setValue(12);
    window.findChild<QLineEdit*>("startDate")->setText("03/01/1985");
    window.findChild<QLineEdit*>("endDate")->setText("1999");
    category->setEditText("Blues");
    window.findChild<QRadioButton*>("weighting3")->setChecked(true);
    PlaylistGeneratorChoice choice;
    ASSERT_TRUE(window.choice(&choice));
    EXPECT_EQ(choice.size, 12);
    EXPECT_EQ(choice.startDate, dateFromYmd(1985, 3, 1));
    EXPECT_EQ(choice.endDate, 1999);
    EXPECT_EQ(choice.category, "Blues");
    EXPECT_EQ(choice.weighting, PlaylistWeighting::OlderAddition);

    QDir().mkpath("/tmp/shots");
    window.resize(window.sizeHint());
    EXPECT_TRUE(window.grab().save("/tmp/shots/generator.png"));

    window.findChild<QLineEdit*>("startDate")->setText("someday");
    EXPECT_FALSE(window.choice(&choice));
    EXPECT_EQ(f.lastMessage(), "\"someday\" is not a date. Give a date, a year, or nothing.");
    window.findChild<QLineEdit*>("startDate")->clear();

    // No songs at all: said with the title "Error" and no icon, and the window closes.
    window.show();
    QSignalSpy made(&window, &GenerateWindow::generated);
    window.findChild<QPushButton*>("ok")->click();
    ASSERT_FALSE(f.dialogs->shown().empty());
    EXPECT_EQ(f.dialogs->shown().back().title, "Error");
    EXPECT_EQ(f.dialogs->shown().back().icon, MessageIcon::None);
    EXPECT_EQ(f.lastMessage(), PlaylistGenerator::kNoSongs);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(made.count(), 0);
}

}  // namespace
}  // namespace cdz::test
