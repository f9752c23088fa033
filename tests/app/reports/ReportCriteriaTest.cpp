// The report criteria: which songs a selection prints, and the window that asks it, which
// starts from the last answers and hands each report its own copy.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/engine/state/AppState.h"
#include "app/reports/ReportCriteriaWindow.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

TEST(ReportCriteria, SelectsWhatStartsWithTheTextWithoutRegardToCase) {
    struct Case {
        const char* include;
        const char* text;
        const char* value;
        bool printed;
    };
    const Case cases[] = {
        {"All", "zz", "Abba", true},           {"", "zz", "Abba", true},
        {"Selected", "ab", "Abba", true},      {"Selected", "ab", "abc", true},
        {"Selected", "ab", "Cab", false},      {"Selected", "", "Anything", true},
        {"Selected  ", "BJÖ ", "björk", true}, {"Selected", "straße", "STRASSE Band", true},
    };
    for (const Case& c : cases) {
        ReportCriteria r;
        r.selectedOrAll = c.include;
        r.selection = c.text;
        EXPECT_EQ(r.includes(c.value), c.printed) << c.include << "/" << c.text << "/" << c.value;
    }
    ReportCriteria blank;
    EXPECT_FALSE(blank.brief());  // never answered: the full report
}

// Answers the window once it is up, then presses OK or Cancel.
void answer(std::function<void(QWidget&)> fill, const char* button) {
    QTimer::singleShot(0, [fill = std::move(fill), button] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        fill(*w);
        w->findChild<QPushButton*>(button)->click();
    });
}

TEST(ReportCriteria, OkKeepsTheAnswersAndCancelChangesNothing) {
    StateFixture f;
    f.state->setReportStyle("Standard", "All");
    answer(
        [](QWidget& w) {
            EXPECT_EQ(w.findChild<QLabel*>("SelectionPrompt")->text(),
                      "Select songs that start with:");
            auto* entry = w.findChild<QLineEdit*>("Selection");
            EXPECT_FALSE(entry->isEnabled());  // "All": no text to give
            w.findChild<QRadioButton*>("IncludeSelected")->click();
            EXPECT_TRUE(entry->isEnabled());
            entry->setText("ab");
            w.findChild<QRadioButton*>("StyleBrief")->click();
            w.findChild<QCheckBox*>("Preview")->setChecked(true);
        },
        "OkButton");
    const auto first = ReportCriteriaWindow::ask(*f.state, "songs", nullptr);
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->brief() && first->preview && first->selectedOnly());
    EXPECT_EQ(first->selection, "ab");

    // The next window starts from these answers; cancelled, it leaves them and the first
    // report's copy alone.
    answer(
        [](QWidget& w) {
            EXPECT_EQ(w.findChild<QLineEdit*>("Selection")->text(), "ab");
            EXPECT_TRUE(w.findChild<QRadioButton*>("StyleBrief")->isChecked());
            w.findChild<QRadioButton*>("IncludeAll")->click();
            EXPECT_FALSE(w.findChild<QLineEdit*>("Selection")->isEnabled());
        },
        "CancelButton");
    EXPECT_FALSE(ReportCriteriaWindow::ask(*f.state, "albums", nullptr));
    EXPECT_TRUE(f.state->reportCriteria.selectedOnly());
    EXPECT_EQ(f.state->reportCriteria.selection, "ab");
    EXPECT_EQ(first->selection, "ab");
}

}  // namespace
}  // namespace cdz::test
