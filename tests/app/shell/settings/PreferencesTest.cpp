// The Preferences window and its OK and Cancel: the settings file as they leave it, the
// questions asked, and the housekeeping passes started by name.
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/engine/state/ProcedureNames.h"
#include "app/shell/settings/PreferencesApply.h"
#include "app/shell/settings/PreferencesWindow.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

// Records the procedures run by name.
std::vector<std::string>* recordRuns(StateFixture& f, std::vector<std::string>* ran) {
    for (const char* name : {proc::kCopyToAlbum, proc::kTestAlbumIds,
                             proc::kConvertSongDatesToYears, proc::kConvertAlbumDatesToYears}) {
        f.state->starter().defineRoutine(name, [ran, name] { ran->emplace_back(name); });
    }
    return ran;
}

std::string titles(const StateFixture& f) {
    std::string out;
    for (const DialogRecord& r : f.dialogs->shown()) out += (out.empty() ? "" : "|") + r.title;
    return out;
}

TEST(Preferences, OkWritesTheDateFormatAndConvertsToYearsOnlyWhenAskedTo) {
    struct Case {
        const char* name;
        const char* openedWith;
        const char* chosen;
        const char* answer;  // to the Year Only question
        const char* written;
        const char* asked;
        bool converted;
    };
    const Case cases[] = {
        {"another format", "d17", "d4", "", "d4", "Information", false},
        {"year only, yes", "d17", "n4b", "Yes", "n4b", "Basic Format Changed|Information", true},
        // Day numbers shown as years would be nonsense: the format stays.
        {"year only, no", "d6", "n4b", "No", "d6", "Basic Format Changed", false},
        // Enter (the default) keeps the dates.
        {"year only, default", "d6", "n4b", "", "d6", "Basic Format Changed", false},
        {"year only again", "n4b", "n4b", "", "n4b", "", false},
        {"unknown setting kept", "zz", "d17", "", "d17", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StateFixture f;
        std::vector<std::string> ran;
        recordRuns(f, &ran);
        if (*c.answer) f.dialogs->queue(c.answer);
        Settings edited = f.state->settings();
        edited.dateFormat = c.chosen;
        PreferencesApply(*f.state).ok(edited, c.openedWith);
        EXPECT_EQ(f.state->settingsFile().read("Settings", "DateFormat"), c.written);
        EXPECT_EQ(f.state->settings().dateFormat, c.written);
        EXPECT_EQ(titles(f), c.asked);
        EXPECT_EQ(ran.size(), c.converted ? 2u : 0u);
        EXPECT_EQ(f.state->settingsFile().read("Settings", "Setup"), "1");
    }
}

// A No to Year Only leaves nothing behind: choosing it again asks again, and a Yes then converts.
TEST(Preferences, YearOnlyRefusedThenChosenAgainAsksAgain) {
    StateFixture f;
    std::vector<std::string> ran;
    recordRuns(f, &ran);
    for (const char* answer : {"No", "Yes"}) {
        SCOPED_TRACE(answer);
        f.dialogs->queue(answer);
        Settings edited = f.state->settings();
        const std::string opened = edited.dateFormat;
        edited.dateFormat = "n4b";
        PreferencesApply(*f.state).ok(edited, opened);
    }
    EXPECT_EQ(titles(f), "Basic Format Changed|Basic Format Changed|Information");
    EXPECT_EQ(f.state->settingsFile().read("Settings", "DateFormat"), "n4b");
    EXPECT_EQ(ran.size(), 2u);
}

TEST(Preferences, WindowShowsTheDefaultsAndCancelKeepsTheFileAsItWas) {
    StateFixture f;  // no Settings section at all
    f.state->readSettings();
    std::vector<std::string> ran;
    recordRuns(f, &ran);
    {
        PreferencesWindow w(*f.state, nullptr);
        EXPECT_EQ(w.findChild<QComboBox*>("DateFormat")->currentText(), "Windows Default");
        EXPECT_EQ(w.findChild<QLineEdit*>("NotesLabel")->text(), "Notes");
        EXPECT_EQ(w.findChild<QLineEdit*>("Delimiter")->text(), ".");
        for (QRadioButton* b : w.findChildren<QRadioButton*>()) {
            if (b->text() == "Normal" || b->text() == "Title - Artist") {
                EXPECT_TRUE(b->isChecked());
            }
        }
        w.findChild<QLineEdit*>("NotesLabel")->setText("Spoken");
        // Housekeeping asks first; only Yes starts the pass.
        f.dialogs->queue("No");
        w.findChild<QPushButton*>("CreateAlbums")->click();
        f.dialogs->queue("Yes");
        w.findChild<QPushButton*>("TestLinks")->click();
        w.reject();
    }
    EXPECT_EQ(ran, std::vector<std::string>{proc::kTestAlbumIds});
    EXPECT_EQ(f.state->settings().notesLabel, "Notes");
    EXPECT_EQ(f.state->settingsFile().read("Settings", "NotesLabel", "missing"), "missing");
    {
        PreferencesWindow w(*f.state, nullptr);
        // The caption holds all the characters its setting keeps.
        const std::string caption = "Catalogue Shelf Position";
        w.findChild<QLineEdit*>("UdkPrompt")->setText(QString::fromStdString(caption));
        w.findChild<QLineEdit*>("NotesLabel")->setText("Spoken");
        w.accept();
        EXPECT_EQ(f.state->settings().udkPrompt, caption);
        EXPECT_EQ(f.state->settingsFile().read("Settings", "NotesLabel"), "Spoken");
        EXPECT_EQ(f.state->settingsFile().read("Settings", "AddMode"), "Normal");
    }
}

}  // namespace
}  // namespace cdz::test
